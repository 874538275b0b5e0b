#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

#include "Files.h"

namespace quilor::test {

struct RunResult {
  int exitCode = -1;  // 128 + the signal when a signal ended it
  std::string out;
  std::string err;
};

// Runs the built quilor-cli with arguments, standard input fed from input
// (not a terminal), in the given environment additions. A run that does not
// end within two minutes is killed and reported with exit code -1.
RunResult RunCli(const std::vector<std::string>& arguments, const std::string& input,
                 const std::vector<std::string>& environment = {});

// A session at a terminal (a new pseudo terminal): standard input and
// standard error on it, standard output on it too or in a file.
struct TerminalSession {
  std::string prompt;
  // Typed as they are, the n-th once the terminal has shown prompt n times.
  std::vector<std::string> keys;
  // Standard output goes to the terminal as well, as when a user reads it
  // there; err then holds it too.
  bool outputOnTerminal = false;
  // Started as a job-control shell starts it, in a process group of its own
  // in the foreground; when it stops (Ctrl-Z), the shell resumes it at
  // once, as "fg" would.
  bool jobControl = false;
};

// err holds everything the terminal showed.
RunResult RunCliOnTerminal(const std::vector<std::string>& arguments,
                           const TerminalSession& session);

// The same with each answer typed as a line.
RunResult RunCliOnTerminal(const std::vector<std::string>& arguments, const std::string& prompt,
                           const std::vector<std::string>& answers);

// quilor-cli started in folder with its standard input a pipe the test
// holds, so that it waits for the master password until typeLine is called.
// Output is dropped. Killed if still running when the object goes.
class RunningCli {
 public:
  // coreDumpsAllowed: started with the core size limit raised as far as it
  // goes, so that only the tool itself can switch dumps off.
  RunningCli(const std::vector<std::string>& arguments, const std::string& folder,
             bool coreDumpsAllowed = false);
  ~RunningCli();
  RunningCli(const RunningCli&) = delete;
  RunningCli& operator=(const RunningCli&) = delete;

  pid_t pid() const { return pid_; }
  void typeLine(const std::string& line);
  // The raw wait status once it ended; -1 when it did not end within two
  // minutes (it is then killed).
  int wait();

 private:
  pid_t pid_ = -1;
  int input_ = -1;
};

// True when something (a file, a folder, a dangling link) is at path.
bool Exists(const std::string& path);

}  // namespace quilor::test
