#include "MasterPasswordInput.h"

#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <optional>

#include "CliTexts.h"
#include "ExitCodes.h"
#include "TextConversion.h"

namespace quilor::cli {

namespace {

// The terminal settings to put back if a signal ends us while echo is off.
struct termios gSavedTerminal;
constexpr int kRestoreSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGTSTP};

extern "C" void RestoreTerminalAndRaise(int signal) {
  ::tcsetattr(STDIN_FILENO, TCSANOW, &gSavedTerminal);
  ::signal(signal, SIG_DFL);
  ::raise(signal);
}

// Reads up to the first line feed (or the end of input), byte by byte, so
// that nothing after the first line is consumed.
std::optional<std::string> ReadLine() {
  std::string line;
  for (;;) {
    char c = 0;
    const ssize_t n = ::read(STDIN_FILENO, &c, 1);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return std::nullopt;
    if (n == 0 || c == '\n') break;
    line.push_back(c);
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

std::optional<std::string> ReadWithoutEcho(const char* prompt) {
  // Echo goes off before the prompt shows, so nothing typed after the
  // prompt can ever be echoed.
  termios quiet = gSavedTerminal;
  quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
  quiet.c_lflag |= ECHONL;
  ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
  std::fputs(prompt, stderr);
  std::fflush(stderr);
  std::optional<std::string> line = ReadLine();
  ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &gSavedTerminal);
  return line;
}

std::string ReadFromTerminal(bool confirm) {
  if (::tcgetattr(STDIN_FILENO, &gSavedTerminal) != 0) {
    throw CliError(kExitBadInput, text::kPasswordUnreadable);
  }
  struct sigaction restore {};
  restore.sa_handler = RestoreTerminalAndRaise;
  sigemptyset(&restore.sa_mask);
  struct sigaction previous[std::size(kRestoreSignals)]{};
  for (std::size_t i = 0; i < std::size(kRestoreSignals); ++i) {
    ::sigaction(kRestoreSignals[i], &restore, &previous[i]);
  }
  std::optional<std::string> first = ReadWithoutEcho(text::kPrompt);
  std::optional<std::string> second;
  if (first && !first->empty() && confirm) second = ReadWithoutEcho(text::kPromptAgain);
  for (std::size_t i = 0; i < std::size(kRestoreSignals); ++i) {
    ::sigaction(kRestoreSignals[i], &previous[i], nullptr);
  }
  if (!first) throw CliError(kExitBadInput, text::kPasswordUnreadable);
  if (confirm && !first->empty() && second != first) {
    throw CliError(kExitBadInput, text::kPasswordsDiffer);
  }
  return *first;
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
  if (converted.unmappable) {
    throw CliError(kExitBadInput, text::kPasswordUnmappable + *converted.unmappable);
  }
  return std::move(converted.bytes);
}

}  // namespace quilor::cli
