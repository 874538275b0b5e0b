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
// Ctrl-Z during the prompt, noted by its handler and acted on by the reader.
volatile sig_atomic_t gStopSignal = 0;

constexpr int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

void WriteToTerminal(const char* text) {
  if (::write(STDERR_FILENO, text, std::strlen(text)) < 0) return;
}

extern "C" void RestoreTerminalAndRaise(int signal) {
  ::tcsetattr(STDIN_FILENO, TCSANOW, &gSavedTerminal);
  ::signal(signal, SIG_DFL);
  ::raise(signal);
}

extern "C" void NoteStop(int signal) { gStopSignal = signal; }

// A signal the user's shell had us ignore (nohup, a shell without job
// control) stays ignored. Without SA_RESTART, so that a waiting read returns.
void Install(int signal, void (*handler)(int), struct sigaction* previous) {
  ::sigaction(signal, nullptr, previous);
  if (previous->sa_handler == SIG_IGN) return;
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  ::sigaction(signal, &action, nullptr);
}

// The handlers that keep the terminal sane while echo is off, for the
// lifetime of the object; the previous ones come back after.
class TerminalGuard {
 public:
  TerminalGuard() {
    for (std::size_t i = 0; i < std::size(kEndingSignals); ++i) {
      Install(kEndingSignals[i], RestoreTerminalAndRaise, &previousEnding_[i]);
    }
    Install(SIGTSTP, NoteStop, &previousStop_);
  }
  ~TerminalGuard() {
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
};

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

enum class ReadEnd { Line, Failed, Stopped };

// Reads up to the first line feed (or the end of input), byte by byte, so
// that nothing after the first line is consumed. Ends early when Ctrl-Z was
// noted.
ReadEnd ReadLine(std::string& line) {
  line.reserve(256);
  for (;;) {
    if (gStopSignal != 0) return ReadEnd::Stopped;
    char c = 0;
    const ssize_t n = ::read(STDIN_FILENO, &c, 1);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return ReadEnd::Failed;
    if (n == 0 || c == '\n') break;
    AppendWiped(line, c);
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return ReadEnd::Line;
}

std::optional<std::string> ReadWithoutEcho(const char* prompt) {
  for (;;) {
    std::string line;
    ReadEnd end = ReadEnd::Failed;
    {
      const TerminalGuard guard;
      // Echo goes off before the prompt shows, so nothing typed after the
      // prompt can ever be echoed.
      ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &gQuietTerminal);
      WriteToTerminal(prompt);
      end = ReadLine(line);
      ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &gSavedTerminal);
    }
    if (end == ReadEnd::Line) return line;
    WipeText(line);
    if (end == ReadEnd::Failed) return std::nullopt;
    // Ctrl-Z: stop as asked, with the terminal as the user had it and the
    // shell's own handling of the signal back. Once resumed (or when the
    // stop does not happen), the password is asked again from the start,
    // silent again, whatever the terminal went through meanwhile.
    const int signal = gStopSignal;
    gStopSignal = 0;
    WriteToTerminal("\n");
    ::kill(::getpid(), signal);
  }
}

std::string ReadFromTerminal(bool confirm) {
  if (::tcgetattr(STDIN_FILENO, &gSavedTerminal) != 0) {
    throw CliError(kExitBadInput, text::kPasswordUnreadable);
  }
  gQuietTerminal = gSavedTerminal;
  gQuietTerminal.c_lflag &= ~static_cast<tcflag_t>(ECHO);
  gQuietTerminal.c_lflag |= ECHONL;

  std::optional<std::string> first = ReadWithoutEcho(text::kPrompt);
  std::optional<std::string> second;
  if (first && !first->empty() && confirm) second = ReadWithoutEcho(text::kPromptAgain);
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
  } else if (ReadLine(typed) != ReadEnd::Line) {
    WipeText(typed);
    throw CliError(kExitBadInput, text::kPasswordUnreadable);
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
