#include "Arguments.h"

#include <cstddef>

#include "CliTexts.h"
#include "ExitCodes.h"

namespace quilor::cli {

namespace {

[[noreturn]] void UsageError(const std::string& problem) {
  throw CliError(kExitUsage, problem + text::kUsageHint);
}

struct CommandShape {
  const char* name;
  Command command;
  std::size_t operands;  // after the command word
};

constexpr CommandShape kCommands[] = {
    {"ls", Command::List, 1},
    {"show", Command::Show, 2},
    {"export", Command::Export, 1},
    {"import", Command::Import, 2},
    {"export-csv", Command::ExportCsv, 1},
    {"import-csv", Command::ImportCsv, 2},
};

}  // namespace

Arguments ParseArguments(const std::vector<std::string>& words) {
  std::vector<std::string> positional;
  bool force = false;
  bool truncate = false;
  bool optionsEnded = false;
  for (const std::string& word : words) {
    if (optionsEnded || word.size() < 2 || word[0] != '-') {
      positional.push_back(word);
    } else if (word == "--") {
      optionsEnded = true;
    } else if (word == "--help" || word == "-h") {
      return Arguments{};
    } else if (word == "--force") {
      force = true;
    } else if (word == "--truncate") {
      truncate = true;
    } else {
      UsageError(text::kUnknownOption + word);
    }
  }
  if (positional.empty()) UsageError(text::kNoCommand);

  const std::string& name = positional.front();
  for (const CommandShape& shape : kCommands) {
    if (name != shape.name) continue;
    if (positional.size() != shape.operands + 1) UsageError(text::kArgumentCount + name);
    const bool imports = shape.command == Command::Import || shape.command == Command::ImportCsv;
    if (force && !imports) UsageError(std::string(text::kUnknownOption) + "--force");
    if (truncate && shape.command != Command::ImportCsv)
      UsageError(std::string(text::kUnknownOption) + "--truncate");
    Arguments arguments;
    arguments.command = shape.command;
    arguments.dataFile = positional[1];
    if (shape.command == Command::Show) arguments.title = positional[2];
    if (shape.command == Command::Import) arguments.jsonFile = positional[2];
    if (shape.command == Command::ImportCsv) arguments.csvFile = positional[2];
    arguments.force = force;
    arguments.truncate = truncate;
    return arguments;
  }
  UsageError(text::kUnknownCommand + name);
}

}  // namespace quilor::cli
