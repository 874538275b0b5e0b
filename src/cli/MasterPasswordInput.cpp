#include "MasterPasswordInput.h"

#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <optional>

#include "CliTexts.h"
#include "ExitCodes.h"
#include "SecureWipe.h"
#include "TextConversion.h"

namespace quilor::cli {

namespace {

// The terminal as the user had it, and as it is while a password is typed.
// The signal handlers below need them, so they live here.
struct termios gSavedTerminal;
struct termios gQuietTerminal;
volatile sig_atomic_t gEchoOff = 0;
const char* volatile gPrompt = "";

constexpr int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

void WriteToTerminal(const char* text) {
  if (::write(STDERR_FILENO, text, std::strlen(text)) < 0) return;
}

extern "C" void RestoreTerminalAndRaise(int signal) {
  ::tcsetattr(STDIN_FILENO, TCSANOW, &gSavedTerminal);
  ::signal(signal, SIG_DFL);
  ::raise(signal);
}

// A signal the user's shell had us ignore (nohup, a shell without job
// control) stays ignored.
void Install(int signal, void (*handler)(int), struct sigaction* previous) {
  struct sigaction current {};
  ::sigaction(signal, nullptr, &current);
  if (previous != nullptr) *previous = current;
  if (current.sa_handler == SIG_IGN) return;
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  ::sigaction(signal, &action, nullptr);
}

// Ctrl-Z: the shell gets the terminal back as the user had it. The stop
// itself comes once this returns, since the signal is held while its own
// handler runs.
extern "C" void StopWithTerminalRestored(int signal) {
  ::tcsetattr(STDIN_FILENO, TCSANOW, &gSavedTerminal);
  ::signal(signal, SIG_DFL);
  ::raise(signal);
}

// fg: silent again before anything more is typed, and the prompt again, so
// that the user sees the password is still being asked for.
extern "C" void OnContinue(int) {
  Install(SIGTSTP, StopWithTerminalRestored, nullptr);
  if (gEchoOff == 0) return;
  ::tcsetattr(STDIN_FILENO, TCSANOW, &gQuietTerminal);
  WriteToTerminal("\n");
  WriteToTerminal(gPrompt);
}

// Grows line without leaving a copy of what was typed in a released buffer.
void AppendWiped(std::string& line, char c) {
  if (line.size() == line.capacity()) {
    std::string larger;
    larger.reserve(line.capacity() * 2);
    larger.assign(line);
    WipeText(line);
    line.swap(larger);
  }
  line.push_back(c);
}

// Reads up to the first line feed (or the end of input), byte by byte, so
// that nothing after the first line is consumed.
std::optional<std::string> ReadLine() {
  std::string line;
  line.reserve(256);
  for (;;) {
    char c = 0;
    const ssize_t n = ::read(STDIN_FILENO, &c, 1);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      WipeText(line);
      return std::nullopt;
    }
    if (n == 0 || c == '\n') break;
    AppendWiped(line, c);
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

std::optional<std::string> ReadWithoutEcho(const char* prompt) {
  // Echo goes off before the prompt shows, so nothing typed after the
  // prompt can ever be echoed.
  gPrompt = prompt;
  gEchoOff = 1;
  ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &gQuietTerminal);
  WriteToTerminal(prompt);
  std::optional<std::string> line = ReadLine();
  gEchoOff = 0;
  ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &gSavedTerminal);
  return line;
}

// The handlers that keep the terminal sane while echo is off, for the
// lifetime of the object; the previous ones come back after.
class TerminalGuard {
 public:
  TerminalGuard() {
    for (std::size_t i = 0; i < std::size(kEndingSignals); ++i) {
      Install(kEndingSignals[i], RestoreTerminalAndRaise, &previousEnding_[i]);
    }
    Install(SIGTSTP, StopWithTerminalRestored, &previousStop_);
    Install(SIGCONT, OnContinue, &previousContinue_);
  }
  ~TerminalGuard() {
    ::sigaction(SIGCONT, &previousContinue_, nullptr);
    ::sigaction(SIGTSTP, &previousStop_, nullptr);
    for (std::size_t i = 0; i < std::size(kEndingSignals); ++i) {
      ::sigaction(kEndingSignals[i], &previousEnding_[i], nullptr);
    }
  }
  TerminalGuard(const TerminalGuard&) = delete;
  TerminalGuard& operator=(const TerminalGuard&) = delete;

 private:
  struct sigaction previousEnding_[std::size(kEndingSignals)]{};
  struct sigaction previousStop_ {};
  struct sigaction previousContinue_ {};
};

std::string ReadFromTerminal(bool confirm) {
  if (::tcgetattr(STDIN_FILENO, &gSavedTerminal) != 0) {
    throw CliError(kExitBadInput, text::kPasswordUnreadable);
  }
  gQuietTerminal = gSavedTerminal;
  gQuietTerminal.c_lflag &= ~static_cast<tcflag_t>(ECHO);
  gQuietTerminal.c_lflag |= ECHONL;

  std::optional<std::string> first;
  std::optional<std::string> second;
  {
    const TerminalGuard guard;
    first = ReadWithoutEcho(text::kPrompt);
    if (first && !first->empty() && confirm) second = ReadWithoutEcho(text::kPromptAgain);
  }
  if (!first) throw CliError(kExitBadInput, text::kPasswordUnreadable);
  const bool differ = confirm && !first->empty() && second != first;
  if (second) WipeText(*second);
  if (differ) {
    WipeText(*first);
    throw CliError(kExitBadInput, text::kPasswordsDiffer);
  }
  return std::move(*first);
}

}  // namespace

std::string ReadMasterPassword(bool confirm) {
  std::string typed;
  if (::isatty(STDIN_FILENO)) {
    typed = ReadFromTerminal(confirm);
  } else {
    std::optional<std::string> line = ReadLine();
    if (!line) throw CliError(kExitBadInput, text::kPasswordUnreadable);
    typed = std::move(*line);
  }
  if (typed.empty()) throw CliError(kExitBadInput, text::kPasswordEmpty);
  Utf8Conversion converted = Utf8ToCp1254(typed);
  WipeText(typed);
  if (converted.unmappable) {
    WipeText(*converted.unmappable);
    throw CliError(kExitBadInput, text::kPasswordUnmappableBefore +
                                      std::to_string(converted.position) + text::kUnmappableAfter);
  }
  return std::move(converted.bytes);
}

}  // namespace quilor::cli
