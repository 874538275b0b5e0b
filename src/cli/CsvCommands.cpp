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
#include "InputFiles.h"
#include "Json.h"
#include "RecordCsv.h"
#include "SessionLogin.h"

namespace quilor::cli {

namespace {

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
  Session session(arguments.dataFile, Session::Access::ReadOnly);
  LogInAsked(session);
  std::string csv = RecordsToCsv(session.records());
  std::fwrite(csv.data(), 1, csv.size(), stdout);
  WipeText(csv);
  return kExitOk;
}

int ImportCsv(const Arguments& arguments) {
  ImportInput input;
  input.text = ReadFileBytes(arguments.csvFile);
  CsvRecords read;
  try {
    read = RecordsFromCsv(input.text, {arguments.truncate, arguments.joinLines},
                          QDateTime::currentDateTime());
  } catch (const CsvError& error) {
    throw AtPlace(arguments.csvFile, input.text, error.offset(),
                  text::kCsvError + std::string(error.what()));
  }
  input.records = std::move(read.records);
  if (!read.unknownColumns.empty()) Report(text::kCsvUnknownColumns + Joined(read.unknownColumns));
  if (input.records.empty())
    throw CliError(kExitBadInput, arguments.csvFile + ": " + text::kNoRecords);
  FinishImport(input, arguments.csvFile, arguments);
  for (const auto* lines : {&read.cutValues, &read.joinedValues, &read.unreadDates}) {
    for (const std::string& line : *lines) Report(line);
  }
  return kExitOk;
}

}  // namespace quilor::cli
