#include "CliRunner.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

extern char** environ;

namespace quilor::test {

RunResult RunCli(const std::vector<std::string>& arguments, const std::string& input,
                 const std::vector<std::string>& environment) {
  TempFolder io;
  const std::string in = io.file("in"), out = io.file("out"), err = io.file("err");
  WriteBytes(in, input);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);

  std::vector<std::string> words{QUILOR_CLI_PATH};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& w : words) argv.push_back(w.data());
  argv.push_back(nullptr);

  // An addition replaces the inherited variable of the same name.
  auto overridden = [&](const std::string& entry) {
    for (const std::string& added : environment) {
      const std::string name = added.substr(0, added.find('=') + 1);
      if (entry.compare(0, name.size(), name) == 0) return true;
    }
    return false;
  };
  std::vector<std::string> env;
  for (char** e = environ; *e != nullptr; ++e) {
    if (!overridden(*e)) env.emplace_back(*e);
  }
  env.insert(env.end(), environment.begin(), environment.end());
  std::vector<char*> envp;
  for (std::string& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);

  pid_t pid = 0;
  const int spawned =
      posix_spawn(&pid, QUILOR_CLI_PATH, &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) throw std::runtime_error("cannot start " QUILOR_CLI_PATH);
  int status = 0;
  waitpid(pid, &status, 0);

  RunResult result;
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  result.out = ReadBytes(out);
  result.err = ReadBytes(err);
  return result;
}

namespace {

// Reads what the terminal shows until it has shown `count` prompts in all,
// or the program closed it.
void ReadTerminalUntil(int master, std::string& shown, const std::string& prompt,
                       std::size_t count) {
  auto prompts = [&] {
    std::size_t n = 0;
    for (auto at = shown.find(prompt); at != std::string::npos; at = shown.find(prompt, at + 1))
      ++n;
    return n;
  };
  while (prompts() < count) {
    pollfd ready{master, POLLIN, 0};
    if (::poll(&ready, 1, 10000) <= 0) return;
    char buffer[256];
    const ssize_t n = ::read(master, buffer, sizeof buffer);
    if (n <= 0) return;
    shown.append(buffer, static_cast<std::size_t>(n));
  }
}

}  // namespace

RunResult RunCliOnTerminal(const std::vector<std::string>& arguments, const std::string& prompt,
                           const std::vector<std::string>& answers) {
  TempFolder io;
  const std::string out = io.file("out");
  std::vector<std::string> words{QUILOR_CLI_PATH};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& w : words) argv.push_back(w.data());
  argv.push_back(nullptr);

  int master = -1;
  const pid_t pid = ::forkpty(&master, nullptr, nullptr, nullptr);
  if (pid < 0) throw std::runtime_error("forkpty failed");
  if (pid == 0) {
    const int file = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ::dup2(file, 1);
    ::execv(QUILOR_CLI_PATH, argv.data());
    ::_exit(127);
  }
  RunResult result;
  for (std::size_t i = 0; i < answers.size(); ++i) {
    ReadTerminalUntil(master, result.err, prompt, i + 1);
    const std::string typed = answers[i] + "\n";
    if (::write(master, typed.data(), typed.size()) < 0) break;
  }
  ReadTerminalUntil(master, result.err, prompt, answers.size() + 1);
  int status = 0;
  ::waitpid(pid, &status, 0);
  ::close(master);
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  result.out = ReadBytes(out);
  return result;
}

bool Exists(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0;
}

}  // namespace quilor::test
