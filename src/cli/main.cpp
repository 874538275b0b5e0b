// quilor-cli: the records of a Quilor data file for backups, migration and
// scripts, through the same store and cipher code as the program.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "Arguments.h"
#include "CliTexts.h"
#include "CsvCommands.h"
#include "ExitCodes.h"
#include "ImportFile.h"
#include "ImportLock.h"
#include "Json.h"
#include "MasterPasswordInput.h"
#include "ReadOnlyLoad.h"
#include "RecordJson.h"
#include "RecordText.h"
#include "TextConversion.h"

namespace quilor::cli {

namespace {

// The file is read before the password is asked, so a wrong path is
// reported without asking for a secret first.
RecordTable LoadForReading(const std::string& path) {
  const std::string bytes = ReadFileBytes(path);
  const std::string masterPassword = ReadMasterPassword(false);
  RecordTable table;
  LoadFromBytes(table, bytes, masterPassword, path);
  return table;
}

void Print(const std::string& text) { std::fwrite(text.data(), 1, text.size(), stdout); }

int List(const Arguments& arguments) {
  RecordTable table = LoadForReading(arguments.dataFile);
  table.sortByField(kFields[Field::Title].name, true, false);
  for (table.first(); !table.eof(); table.next()) Print(ListLine(table.current()));
  return kExitOk;
}

int Show(const Arguments& arguments) {
  RecordTable table = LoadForReading(arguments.dataFile);
  bool found = false;
  for (table.first(); !table.eof(); table.next()) {
    if (Cp1254ToUtf8(table.current().values[Field::Title].text) != arguments.title) continue;
    if (found) Print("\n");
    Print(ShowText(table.current()));
    found = true;
  }
  if (!found) throw CliError(kExitNoSuchRecord, text::kNoSuchTitle + arguments.title);
  return kExitOk;
}

int Export(const Arguments& arguments) {
  RecordTable table = LoadForReading(arguments.dataFile);
  Print(RecordsToJson(table));
  return kExitOk;
}

CliError AtPlaceIn(const std::string& path, const std::string& json, const JsonError& error) {
  const TextPosition where = PositionOf(json, error.offset());
  return CliError(kExitBadInput, path + ":" + std::to_string(where.line) + ":" +
                                     std::to_string(where.column) + ": " + error.what());
}

int Import(const Arguments& arguments) {
  const std::string json = ReadFileBytes(arguments.jsonFile);
  std::vector<ImportedRecord> records;
  try {
    records = RecordsFromJson(ParseJson(json));
  } catch (const JsonError& error) {
    throw AtPlaceIn(arguments.jsonFile, json, error);
  }
  if (records.empty()) throw CliError(kExitBadInput, arguments.jsonFile + ": " + text::kNoRecords);
  CheckMayCreate(arguments.dataFile, arguments.force);
  const HeldLock lock = LockForImport(arguments.dataFile);
  const std::string masterPassword = ReadMasterPassword(true);
  try {
    ImportRecords(records, arguments.dataFile, masterPassword, arguments.force);
  } catch (const JsonError& error) {
    throw AtPlaceIn(arguments.jsonFile, json, error);
  }
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
