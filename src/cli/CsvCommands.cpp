#include "CsvCommands.h"

#include <QDateTime>
#include <cstdio>
#include <string>

#include "CliTexts.h"
#include "Csv.h"
#include "CsvTexts.h"
#include "ExitCodes.h"
#include "HeldSecrets.h"
#include "ImportFile.h"
#include "ImportLock.h"
#include "Json.h"
#include "ReadOnlyLoad.h"
#include "RecordCsv.h"

namespace quilor::cli {

namespace {

CliError AtPlace(const std::string& path, std::string_view csv, std::size_t offset,
                 const std::string& problem) {
  const TextPosition where = PositionOf(csv, offset);
  return CliError(kExitBadInput, path + ":" + std::to_string(where.line) + ":" +
                                     std::to_string(where.column) + ": " + problem);
}

void Report(const std::string& line) {
  std::fprintf(stderr, "%s: %s\n", text::kProgram, line.c_str());
}

std::string Joined(const std::vector<std::string>& names) {
  std::string joined;
  for (const std::string& name : names) joined += (joined.empty() ? "" : ", ") + name;
  return joined;
}

}  // namespace

int ExportCsv(const Arguments& arguments) {
  // As for export: the file first, so that a wrong path asks for no secret.
  std::string bytes = ReadFileBytes(arguments.dataFile);
  const MasterPassword masterPassword(false);
  UnlockedTable unlocked;
  LoadFromBytes(unlocked.table, std::move(bytes), masterPassword.bytes(), arguments.dataFile);
  std::string csv = RecordsToCsv(unlocked.table);
  std::fwrite(csv.data(), 1, csv.size(), stdout);
  WipeText(csv);
  return kExitOk;
}

int ImportCsv(const Arguments& arguments) {
  ImportInput input;
  input.text = ReadFileBytes(arguments.csvFile);
  CsvRecords read;
  try {
    read = RecordsFromCsv(input.text, arguments.truncate, QDateTime::currentDateTime());
  } catch (const CsvError& error) {
    throw AtPlace(arguments.csvFile, input.text, error.offset(),
                  text::kCsvError + std::string(error.what()));
  }
  input.records = std::move(read.records);
  if (!read.unknownColumns.empty()) Report(text::kCsvUnknownColumns + Joined(read.unknownColumns));
  if (input.records.empty())
    throw CliError(kExitBadInput, arguments.csvFile + ": " + text::kNoRecords);
  CheckMayCreate(arguments.dataFile, arguments.force);
  const HeldLock lock = LockForImport(arguments.dataFile);
  const MasterPassword masterPassword(true);
  try {
    ImportRecords(input.records, arguments.dataFile, masterPassword.bytes(), arguments.force);
  } catch (const JsonError& error) {
    // A value the data file would not give back as it is (blanks around it).
    throw AtPlace(arguments.csvFile, input.text, error.offset(), error.what());
  }
  for (const std::string& cut : read.cutValues) Report(cut);
  return kExitOk;
}

}  // namespace quilor::cli
