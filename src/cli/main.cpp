// quilor-cli: the records of a Quilor data file for backups, migration and
// scripts, through the same store and cipher code as the program.
#include <unistd.h>

#include <cstdio>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "Arguments.h"
#include "CliTexts.h"
#include "CsvCommands.h"
#include "ExitCodes.h"
#include "HealthCommand.h"
#include "HeldSecrets.h"
#include "ImportFile.h"
#include "InputFiles.h"
#include "Json.h"
#include "MasterPasswordInput.h"
#include "MergeCommands.h"
#include "ProcessHardening.h"
#include "RecordJson.h"
#include "RecordText.h"
#include "SecureWipe.h"
#include "SessionLogin.h"
#include "TitleMatch.h"
#include "VisibleText.h"

namespace quilor::cli {

namespace {

// Written straight to the descriptor (standard output is unbuffered), so no
// stdio buffer keeps a secret after it was shown.
void Print(std::string_view text) { std::fwrite(text.data(), 1, text.size(), stdout); }

void PrintAndWipe(std::string& text) {
  Print(text);
  WipeText(text);
}

TextStyle StyleFor(const Arguments& arguments) {
  TextStyle style;
  style.visibleControls = ::isatty(STDOUT_FILENO) == 1;
  style.showSecrets = arguments.showSecrets;
  return style;
}

int List(const Arguments& arguments) {
  Session session(arguments.dataFile, Session::Access::ReadOnly);
  LogInAsked(session);
  RecordTable& table = session.records();
  table.sortByField(kFields[Field::Title].name, true, false);
  const TextStyle style = StyleFor(arguments);
  for (table.first(); !table.eof(); table.next()) Print(ListLine(table.current(), style));
  return kExitOk;
}

std::string SeveralTitlesMessage(const std::vector<const Record*>& records) {
  std::string message = text::kSeveralTitles;
  for (const Record* record : records) {
    message.append("\n  ").append(ChoiceLine(*record));
  }
  return message;
}

int Show(const Arguments& arguments) {
  Session session(arguments.dataFile, Session::Access::ReadOnly);
  LogInAsked(session);
  const std::vector<const Record*> found = RecordsTitled(session.records(), arguments.title);
  if (found.empty()) {
    throw CliError(kExitNoSuchRecord, text::kNoSuchTitle + WithVisibleControls(arguments.title));
  }
  if (found.size() > 1) throw CliError(kExitNoSuchRecord, SeveralTitlesMessage(found));
  std::string shown = ShowText(*found.front(), StyleFor(arguments));
  PrintAndWipe(shown);
  return kExitOk;
}

int Export(const Arguments& arguments) {
  Session session(arguments.dataFile, Session::Access::ReadOnly);
  LogInAsked(session);
  WriteRecordsAsJson(session.records(), Print);
  return kExitOk;
}

int Import(const Arguments& arguments) {
  ImportInput input;
  input.text = ReadFileBytes(arguments.jsonFile);
  try {
    input.records = RecordsFromJsonText(input.text);
  } catch (const JsonError& error) {
    throw AtPlace(arguments.jsonFile, input.text, error.offset(), error.what());
  }
  if (input.records.empty()) {
    throw CliError(kExitBadInput, arguments.jsonFile + ": " + text::kNoRecords);
  }
  FinishImport(input, arguments.jsonFile, arguments);
  return kExitOk;
}

int Run(const Arguments& arguments) {
  switch (arguments.command) {
    case Command::Help:
      Print(text::kHelp);
      return kExitOk;
    case Command::List:
      return List(arguments);
    case Command::Show:
      return Show(arguments);
    case Command::Export:
      return Export(arguments);
    case Command::Import:
      return Import(arguments);
    case Command::ExportCsv:
      return ExportCsv(arguments);
    case Command::ImportCsv:
      return ImportCsv(arguments);
    case Command::Health:
      return Health(arguments);
    case Command::Merge:
      return MergeFiles(arguments);
  }
  return kExitUsage;
}

int Fail(int status, const char* message) {
  std::fprintf(stderr, "%s: %s\n", text::kProgram, message);
  return status;
}

}  // namespace

}  // namespace quilor::cli

int main(int argc, char* argv[]) {
  using namespace quilor::cli;
  // Before anything is read: no core dump, and no debugger of the same
  // user, may ever see the master password or a deciphered secret.
  quilor::DisableCoreDumps();
  quilor::RaiseMemoryLockLimit();
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  try {
    const int status = Run(ParseArguments(std::vector<std::string>(argv + 1, argv + argc)));
    // Output that did not reach its file (a full disk) must not pass for a
    // successful export.
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
      return Fail(kExitFile, text::kStdoutUnwritable);
    }
    return status;
  } catch (const CliError& error) {
    return Fail(error.exitCode(), error.what());
  } catch (const std::exception& error) {
    return Fail(kExitUnexpected, error.what());
  }
}
