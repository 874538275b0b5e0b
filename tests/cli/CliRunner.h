#pragma once

#include <string>
#include <vector>

namespace quilor::cli::test {

struct RunResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// Runs the built quilor-cli with arguments, standard input fed from input
// (not a terminal), in the given environment additions.
RunResult RunCli(const std::vector<std::string>& arguments, const std::string& input,
                 const std::vector<std::string>& environment = {});

// Runs quilor-cli with standard input and standard error on a new pseudo
// terminal, as a user at a terminal runs it; standard output goes to a file.
// Each answer is typed once the terminal shows prompt again. err holds
// everything the terminal showed.
RunResult RunCliOnTerminal(const std::vector<std::string>& arguments, const std::string& prompt,
                           const std::vector<std::string>& answers);

// A fresh folder for one test, removed afterwards.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  std::string path(const std::string& name) const { return dir_ + "/" + name; }

 private:
  std::string dir_;
};

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
bool Exists(const std::string& path);

}  // namespace quilor::cli::test
