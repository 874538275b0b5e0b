#include "CliRunner.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
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

namespace {

// Polls, so that a hung child (a FIFO it blocks on, say) fails the test
// instead of hanging the run. The bound leaves room for memcheck.
int WaitBounded(pid_t pid) {
  constexpr int kPolls = 120 * 100;
  for (int i = 0; i < kPolls; ++i) {
    int status = 0;
    if (::waitpid(pid, &status, WNOHANG) == pid) return status;
    ::usleep(10000);
  }
  ::kill(pid, SIGKILL);
  ::waitpid(pid, nullptr, 0);
  return -1;
}

int ExitCodeOf(int status) {
  if (status == -1) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

std::vector<char*> ArgvOf(std::vector<std::string>& words) {
  std::vector<char*> argv;
  for (std::string& w : words) argv.push_back(w.data());
  argv.push_back(nullptr);
  return argv;
}

}  // namespace

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
  RunResult result;
  result.exitCode = ExitCodeOf(WaitBounded(pid));
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

namespace {

// The child of forkpty, as a job-control shell: the tool runs in a process
// group of its own in the foreground of the terminal, and is resumed at once
// whenever it stops.
[[noreturn]] void RunAsJob(char* const argv[], const std::string& out) {
  const pid_t job = ::fork();
  if (job == 0) {
    ::setpgid(0, 0);
    ::signal(SIGTTOU, SIG_IGN);
    ::tcsetpgrp(STDIN_FILENO, ::getpid());
    ::signal(SIGTTOU, SIG_DFL);
    if (!out.empty()) ::dup2(::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
    ::execv(QUILOR_CLI_PATH, argv);
    ::_exit(127);
  }
  ::setpgid(job, job);
  int status = 0;
  while (::waitpid(job, &status, WUNTRACED) == job && WIFSTOPPED(status)) ::kill(job, SIGCONT);
  ::_exit(WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status));
}

}  // namespace

RunResult RunCliOnTerminal(const std::vector<std::string>& arguments,
                           const TerminalSession& session) {
  TempFolder io;
  const std::string out = session.outputOnTerminal ? std::string() : io.file("out");
  std::vector<std::string> words{QUILOR_CLI_PATH};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv = ArgvOf(words);

  int master = -1;
  const pid_t pid = ::forkpty(&master, nullptr, nullptr, nullptr);
  if (pid < 0) throw std::runtime_error("forkpty failed");
  if (pid == 0) {
    if (session.jobControl) RunAsJob(argv.data(), out);
    if (!out.empty()) ::dup2(::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
    ::execv(QUILOR_CLI_PATH, argv.data());
    ::_exit(127);
  }
  RunResult result;
  for (std::size_t i = 0; i < session.keys.size(); ++i) {
    ReadTerminalUntil(master, result.err, session.prompt, i + 1);
    const std::string& typed = session.keys[i];
    if (::write(master, typed.data(), typed.size()) < 0) break;
  }
  ReadTerminalUntil(master, result.err, session.prompt, session.keys.size() + 1);
  result.exitCode = ExitCodeOf(WaitBounded(pid));
  ::close(master);
  if (!out.empty()) result.out = ReadBytes(out);
  return result;
}

RunResult RunCliOnTerminal(const std::vector<std::string>& arguments, const std::string& prompt,
                           const std::vector<std::string>& answers) {
  TerminalSession session;
  session.prompt = prompt;
  for (const std::string& answer : answers) session.keys.push_back(answer + "\n");
  return RunCliOnTerminal(arguments, session);
}

RunningCli::RunningCli(const std::vector<std::string>& arguments, const std::string& folder,
                       bool coreDumpsAllowed) {
  std::vector<std::string> words{QUILOR_CLI_PATH};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv = ArgvOf(words);
  int pipeEnds[2];
  if (::pipe2(pipeEnds, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
  pid_ = ::fork();
  if (pid_ < 0) throw std::runtime_error("fork failed");
  if (pid_ == 0) {
    ::dup2(pipeEnds[0], 0);
    const int null = ::open("/dev/null", O_WRONLY);
    ::dup2(null, 1);
    ::dup2(null, 2);
    if (::chdir(folder.c_str()) != 0) ::_exit(126);
    if (coreDumpsAllowed) {
      rlimit core{};
      ::getrlimit(RLIMIT_CORE, &core);
      core.rlim_cur = core.rlim_max;
      ::setrlimit(RLIMIT_CORE, &core);
    }
    ::execv(QUILOR_CLI_PATH, argv.data());
    ::_exit(127);
  }
  ::close(pipeEnds[0]);
  input_ = pipeEnds[1];
}

RunningCli::~RunningCli() {
  if (input_ >= 0) ::close(input_);
  if (pid_ > 0) {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
  }
}

void RunningCli::typeLine(const std::string& line) {
  const std::string typed = line + "\n";
  if (::write(input_, typed.data(), typed.size()) != static_cast<ssize_t>(typed.size())) {
    throw std::runtime_error("cannot type into quilor-cli");
  }
}

int RunningCli::wait() {
  const int status = WaitBounded(pid_);
  pid_ = -1;
  return status;
}

bool Exists(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0;
}

}  // namespace quilor::test
