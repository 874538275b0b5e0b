#include "MergeCommands.h"

#include <QDateTime>
#include <cstdio>
#include <stdexcept>
#include <vector>

#include "CliTexts.h"
#include "ExitCodes.h"
#include "FileSnapshot.h"
#include "ImportFile.h"
#include "ImportLock.h"
#include "Json.h"
#include "ReadOnlyLoad.h"
#include "RecordAdding.h"
#include "TableMerge.h"
#include "TextConversion.h"

namespace quilor::cli {

namespace {

void Report(const std::string& line) {
  std::fprintf(stderr, "%s: %s\n", text::kProgram, line.c_str());
}

// The data file's bytes, with the snapshot a later write checks it against.
SnapshotRead ReadDataFileForChange(const std::string& path) {
  ReadFileBytes(path);  // the tool's own words for a missing or odd file
  try {
    return ReadWithSnapshot(path);
  } catch (const std::exception& e) {
    throw CliError(kExitFile, e.what());
  }
}

std::vector<int> RecordIdsOf(RecordTable& table, const std::vector<std::string>& numbers) {
  std::vector<int> ids;
  for (const std::string& number : numbers) {
    if (table.locate(number)) ids.push_back(table.recordId());
  }
  return ids;
}

std::string Quoted(std::string_view cp1254) {
  std::string quoted = "\"";
  quoted.append(Cp1254ToUtf8(cp1254)).append("\"");
  return quoted;
}

}  // namespace

void MergeImport(const ImportInput& input, const std::string& sourceFile,
                 const Arguments& arguments) {
  const HeldLock lock = LockForImport(arguments.dataFile);
  SnapshotRead read = ReadDataFileForChange(arguments.dataFile);
  const MasterPassword masterPassword(false);
  UnlockedTable unlocked;
  RecordTable& table = unlocked.table;
  LoadFromBytes(table, std::move(read.bytes).value_or(""), masterPassword.key(),
                arguments.dataFile);

  const AddedRecords added = AddNewRecords(table, input.records, QDateTime::currentDateTime());
  for (std::size_t index : added.duplicates) {
    const ImportedRecord& record = input.records[index];
    const TextPosition where = PositionOf(input.text, record.offsets[Field::Title]);
    Report(text::kDuplicateSkipped + sourceFile + ":" + std::to_string(where.line) + " " +
           Quoted(record.values[Field::Title].text));
  }
  if (added.numbers.empty()) {
    Report(text::kNothingAdded);
    return;
  }
  RewriteDataFile(table, arguments.dataFile, masterPassword.key(),
                  RecordIdsOf(table, added.numbers), read.snapshot);
  Report(std::to_string(added.numbers.size()) + text::kAddedAfter);
}

int MergeFiles(const Arguments& arguments) {
  const HeldLock lock = LockForImport(arguments.dataFile);
  SnapshotRead read = ReadDataFileForChange(arguments.dataFile);
  std::string otherBytes = ReadFileBytes(arguments.otherFile);
  const MasterPassword masterPassword(false);
  UnlockedTable mine;
  UnlockedTable theirs;
  LoadFromBytes(mine.table, std::move(read.bytes).value_or(""), masterPassword.key(),
                arguments.dataFile);
  try {
    LoadFromBytes(theirs.table, std::move(otherBytes), masterPassword.key(), arguments.otherFile);
  } catch (const CliError& error) {
    if (error.exitCode() != kExitWrongPassword) throw;
    throw CliError(kExitWrongPassword, arguments.otherFile + ": " + text::kOtherWrongPassword);
  }

  const MergeReport report =
      MergeByRecordNumber(mine.table, theirs.table, QDateTime::currentDateTime());
  for (const auto& [title, copyTitle] : report.conflicts) {
    Report(text::kMergeConflict + Quoted(title) + text::kMergeConflictCopy + Quoted(copyTitle));
  }
  if (report.same > 0) Report(std::to_string(report.same) + text::kMergeSame);
  if (report.written.empty()) {
    Report(text::kNothingAdded);
    return kExitOk;
  }
  RewriteDataFile(mine.table, arguments.dataFile, masterPassword.key(), {}, read.snapshot);
  Report(std::to_string(report.written.size()) + text::kAddedAfter);
  Report(text::kMergeDone + arguments.otherFile);
  return kExitOk;
}

}  // namespace quilor::cli
