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
    {"--show-secrets", "-s", Command::Show, &Arguments::showSecrets},
};

const OptionShape* FindOption(const std::string& word) {
  for (const OptionShape& option : kOptions) {
    if (word == option.longName || (option.shortName != nullptr && word == option.shortName)) {
      return &option;
    }
  }
  return nullptr;
}

void SetOperands(Arguments& arguments, const std::vector<std::string>& positional) {
  arguments.dataFile = positional[1];
  if (arguments.command == Command::Show) arguments.title = positional[2];
  if (arguments.command == Command::Import) arguments.jsonFile = positional[2];
}

}  // namespace

Arguments ParseArguments(const std::vector<std::string>& words) {
  std::vector<std::string> positional;
  std::vector<const OptionShape*> options;
  std::vector<std::string> optionWords;
  bool optionsEnded = false;
  for (const std::string& word : words) {
    if (optionsEnded || word.size() < 2 || word[0] != '-') {
      positional.push_back(word);
    } else if (word == "--") {
      optionsEnded = true;
    } else if (word == "--help" || word == "-h") {
      return Arguments{};
    } else if (const OptionShape* option = FindOption(word)) {
      options.push_back(option);
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
    for (std::size_t i = 0; i < options.size(); ++i) {
      if (options[i]->command != shape.command) UsageError(text::kUnknownOption + optionWords[i]);
      arguments.*(options[i]->flag) = true;
    }
    SetOperands(arguments, positional);
    return arguments;
  }
  UsageError(text::kUnknownCommand + name);
}

}  // namespace quilor::cli
