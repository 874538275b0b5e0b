#include "CsvCommands.h"

#include <QDateTime>
#include <cstdio>
#include <string>

#include "CliTexts.h"
#include "Csv.h"
#include "CsvTexts.h"
#include "ExitCodes.h"
#include "ImportFile.h"
#include "ImportLock.h"
#include "Json.h"
#include "MasterPasswordInput.h"
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
  const std::string bytes = ReadFileBytes(arguments.dataFile);
  const std::string masterPassword = ReadMasterPassword(false);
  RecordTable table;
  LoadFromBytes(table, bytes, masterPassword, arguments.dataFile);
  const std::string csv = RecordsToCsv(table);
  std::fwrite(csv.data(), 1, csv.size(), stdout);
  return kExitOk;
}

int ImportCsv(const Arguments& arguments) {
  const std::string csv = ReadFileBytes(arguments.csvFile);
  CsvRecords read;
  try {
    read = RecordsFromCsv(csv, arguments.truncate, QDateTime::currentDateTime());
  } catch (const CsvError& error) {
    throw AtPlace(arguments.csvFile, csv, error.offset(),
                  text::kCsvError + std::string(error.what()));
  }
  if (!read.unknownColumns.empty()) Report(text::kCsvUnknownColumns + Joined(read.unknownColumns));
  if (read.records.empty())
    throw CliError(kExitBadInput, arguments.csvFile + ": " + text::kNoRecords);
  CheckMayCreate(arguments.dataFile, arguments.force);
  const HeldLock lock = LockForImport(arguments.dataFile);
  const std::string masterPassword = ReadMasterPassword(true);
  try {
    ImportRecords(read.records, arguments.dataFile, masterPassword, arguments.force);
  } catch (const JsonError& error) {
    // A value the data file would not give back as it is (blanks around it).
    throw AtPlace(arguments.csvFile, csv, error.offset(), error.what());
  }
  for (const std::string& cut : read.cutValues) Report(cut);
  return kExitOk;
}

}  // namespace quilor::cli
