#pragma once

#include <string>
#include <vector>

namespace quilor::cli {

enum class Command { Help, List, Show, Export, Import, ExportCsv, ImportCsv, Health, Merge };

struct Arguments {
  Command command = Command::Help;
  std::string dataFile;
  std::string title;         // show
  std::string jsonFile;      // import
  std::string csvFile;       // import-csv
  std::string otherFile;     // merge: the data file whose records come in
  bool force = false;        // import, import-csv: replace an existing data file
  bool merge = false;        // import, import-csv: add to an existing data file
  bool truncate = false;     // import-csv: cut values too long for their field
  bool joinLines = false;    // import-csv: make values of several lines one line
  bool showSecrets = false;  // show: print the passwords too
};

// Reads the words after the program name. "--" ends the options, so a file
// whose name starts with "-" can still be named. Throws CliError with the
// usage status on anything it does not understand.
Arguments ParseArguments(const std::vector<std::string>& words);

}  // namespace quilor::cli
