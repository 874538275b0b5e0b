#pragma once

#include <stdexcept>
#include <string>

namespace quilor::cli {

// The exit statuses quilor-cli promises to scripts; --help lists them.
inline constexpr int kExitOk = 0;
inline constexpr int kExitNoSuchRecord = 1;
inline constexpr int kExitUnexpected = 1;
// health: some password needs attention.
inline constexpr int kExitFindings = 1;
inline constexpr int kExitFile = 2;
inline constexpr int kExitWrongPassword = 3;
inline constexpr int kExitBadInput = 4;
inline constexpr int kExitInUse = 5;
inline constexpr int kExitUsage = 64;

// A failure that ends the command: one line for stderr and the exit status.
class CliError : public std::runtime_error {
 public:
  CliError(int exitCode, const std::string& message)
      : std::runtime_error(message), exitCode_(exitCode) {}
  int exitCode() const { return exitCode_; }

 private:
  int exitCode_;
};

}  // namespace quilor::cli
