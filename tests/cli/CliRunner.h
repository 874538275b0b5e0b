#pragma once

#include <string>
#include <vector>

#include "Files.h"

namespace quilor::test {

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

// True when something (a file, a folder, a dangling link) is at path.
bool Exists(const std::string& path);

}  // namespace quilor::test
