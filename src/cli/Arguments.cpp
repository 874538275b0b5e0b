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
    {"health", Command::Health, 1},
    {"merge", Command::Merge, 2},
};

// A switch that one command understands.
struct OptionShape {
  const char* longName;
  const char* shortName;  // nullptr when there is none
  Command command;
  bool Arguments::*flag;
};

constexpr OptionShape kOptions[] = {
    {"--force", nullptr, Command::Import, &Arguments::force},
    {"--force", nullptr, Command::ImportCsv, &Arguments::force},
    {"--merge", nullptr, Command::Import, &Arguments::merge},
    {"--merge", nullptr, Command::ImportCsv, &Arguments::merge},
    {"--truncate", nullptr, Command::ImportCsv, &Arguments::truncate},
    {"--join-lines", nullptr, Command::ImportCsv, &Arguments::joinLines},
    {"--show-secrets", "-s", Command::Show, &Arguments::showSecrets},
};

bool Names(const OptionShape& option, const std::string& word) {
  return word == option.longName || (option.shortName != nullptr && word == option.shortName);
}

bool IsOption(const std::string& word) {
  for (const OptionShape& option : kOptions) {
    if (Names(option, word)) return true;
  }
  return false;
}

// What word switches on for command; nullptr when command has no such switch.
const OptionShape* FindOption(const std::string& word, Command command) {
  for (const OptionShape& option : kOptions) {
    if (option.command == command && Names(option, word)) return &option;
  }
  return nullptr;
}

void SetOperands(Arguments& arguments, const std::vector<std::string>& positional) {
  arguments.dataFile = positional[1];
  if (arguments.command == Command::Show) arguments.title = positional[2];
  if (arguments.command == Command::Import) arguments.jsonFile = positional[2];
  if (arguments.command == Command::ImportCsv) arguments.csvFile = positional[2];
  if (arguments.command == Command::Merge) arguments.otherFile = positional[2];
}

}  // namespace

Arguments ParseArguments(const std::vector<std::string>& words) {
  std::vector<std::string> positional;
  std::vector<std::string> optionWords;
  bool optionsEnded = false;
  for (const std::string& word : words) {
    if (optionsEnded || word.size() < 2 || word[0] != '-') {
      positional.push_back(word);
    } else if (word == "--") {
      optionsEnded = true;
    } else if (word == "--help" || word == "-h") {
      return Arguments{};
    } else if (IsOption(word)) {
      optionWords.push_back(word);
    } else {
      UsageError(text::kUnknownOption + word);
    }
  }
  if (positional.empty()) UsageError(text::kNoCommand);

  const std::string& name = positional.front();
  for (const CommandShape& shape : kCommands) {
    if (name != shape.name) continue;
    if (positional.size() != shape.operands + 1) UsageError(text::kArgumentCount + name);
    Arguments arguments;
    arguments.command = shape.command;
    for (const std::string& word : optionWords) {
      const OptionShape* option = FindOption(word, shape.command);
      if (option == nullptr) UsageError(text::kUnknownOption + word);
      arguments.*(option->flag) = true;
    }
    if (arguments.merge && arguments.force) UsageError(text::kMergeOrForce);
    SetOperands(arguments, positional);
    return arguments;
  }
  UsageError(text::kUnknownCommand + name);
}

}  // namespace quilor::cli
