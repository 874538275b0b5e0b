#pragma once

#include <string>
#include <vector>

namespace quilor::cli {

enum class Command { Help, List, Show, Export, Import };

struct Arguments {
  Command command = Command::Help;
  std::string dataFile;
  std::string title;         // show
  std::string jsonFile;      // import
  bool force = false;        // import: replace an existing data file
  bool showSecrets = false;  // show: print the passwords too
};

// Reads the words after the program name. "--" ends the options, so a file
// whose name starts with "-" can still be named. Throws CliError with the
// usage status on anything it does not understand.
Arguments ParseArguments(const std::vector<std::string>& words);

}  // namespace quilor::cli
