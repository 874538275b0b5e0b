#include "CheckedSave.h"

#include <algorithm>
#include <span>
#include <utility>
#include <vector>

#include "Cp1254.h"
#include "FileProblem.h"
#include "StoreTexts.h"

namespace quilor {

namespace {

std::string Utf8(std::string_view cp1254) {
  std::string text;
  AppendCp1254AsUtf8(text, cp1254);
  return text;
}

}  // namespace

NotReadBackError::NotReadBackError(const std::string& path, std::string title)
    : std::runtime_error(CannotWriteText(path, "\"" + title + "\"" + store_texts::kNotReadBack)),
      title_(std::move(title)) {}

namespace {

// The file changed between the look before a save and the end of its write.
struct ChangedDuringWrite {};

std::vector<int> WrittenRecordIds(RecordTable& table, const TableChange& change) {
  std::vector<int> ids;
  const RecordTable::Bookmark mark = table.remember();
  for (const std::string& number : change.written) {
    if (table.locate(number)) ids.push_back(table.recordId());
  }
  table.returnTo(mark);
  return ids;
}

[[noreturn]] void RefuseWhatCameBack(const std::string& path) {
  throw std::runtime_error(CannotWriteText(path, store_texts::kRecordsNotReadBack));
}

// Holds what came back from the new file against the table it was written
// from: as many records, and each written record alike. A record left as it
// was read goes back as it came, a damaged old one cut to its field (see
// SaveRecords), so it is not held to this.
void CheckReadBack(RecordTable& written, RecordTable& back, std::span<const int> writtenIds,
                   const std::string& path) {
  if (back.recordCount() != written.recordCount()) RefuseWhatCameBack(path);
  const RecordTable::Bookmark mark = written.remember();
  for (written.first(), back.first(); !written.eof(); written.next(), back.next()) {
    const bool isWritten =
        std::find(writtenIds.begin(), writtenIds.end(), written.recordId()) != writtenIds.end();
    if (isWritten && DigestOf(written.current()) != DigestOf(back.current())) {
      std::string title = Utf8(written.text(Field::Title));
      written.returnTo(mark);
      throw NotReadBackError(path, std::move(title));
    }
  }
  written.returnTo(mark);
}

// Writes table over the file at path, which must still be the version
// expected when the new file is complete. That file is read back under key
// before it takes the old one's place; once it has, table holds what came
// back and lastRead notes it. On any failure both stay as they were.
void WriteAndReadBack(RecordTable& table, const std::string& path, const MasterKey& key,
                      const std::vector<int>& writtenIds, const FileSnapshot& expected,
                      LastRead& lastRead, const BeforeReplace& lastCheck) {
  RecordTable back;
  FileSnapshot written;
  const BeforeReplace check = [&](const std::string& newFile) {
    SnapshotRead read = ReadWithSnapshot(newFile);
    written = read.snapshot;
    try {
      LoadRecordsWithoutRewrite(back, std::move(read.bytes).value_or(""), path, key, LoadSteps{});
    } catch (const WrongMasterPassword&) {
      RefuseWhatCameBack(path);
    }
    CheckReadBack(table, back, writtenIds, path);
    if (!StillInPlace(path, expected)) throw ChangedDuringWrite{};
    if (lastCheck) lastCheck(newFile);
  };
  try {
    SaveRecords(table, path, key, writtenIds, check);
  } catch (...) {
    back.wipeAllRecords();
    throw;
  }
  // An empty table removed the file: nothing was read back, and the note is
  // of no file.
  table.wipeAllRecords();
  table = std::move(back);
  lastRead.file = written;
  lastRead.records = RecordDigests(table);
}

SaveOutcome SaveOnce(RecordTable& table, const std::string& path, const SaveKeys& keys,
                     const TableChange& change, LastRead& lastRead,
                     const BeforeReplace& lastCheck) {
  SnapshotRead now = ReadWithSnapshot(path);
  if (now.snapshot == lastRead.file) {
    WriteAndReadBack(table, path, keys.write, WrittenRecordIds(table, change), now.snapshot,
                     lastRead, lastCheck);
    return SaveOutcome::Written;
  }
  RecordTable fresh;
  if (now.bytes) {
    LoadSteps steps;
    try {
      LoadRecordsWithoutRewrite(fresh, std::move(*now.bytes), path, keys.read, steps);
    } catch (const WrongMasterPassword&) {
      fresh.wipeAllRecords();
      return SaveOutcome::NoLongerOpens;
    }
  }
  if (!ReapplyChange(fresh, table, lastRead.records, change)) {
    fresh.wipeAllRecords();
    return SaveOutcome::ChangedOnBothSides;
  }
  try {
    WriteAndReadBack(fresh, path, keys.write, WrittenRecordIds(fresh, change), now.snapshot,
                     lastRead, lastCheck);
  } catch (...) {
    fresh.wipeAllRecords();
    throw;
  }
  table.wipeAllRecords();
  table = std::move(fresh);
  return SaveOutcome::WrittenWithChangesFromElsewhere;
}

}  // namespace

void LoadRecordsNoting(RecordTable& table, const std::string& path, const MasterKey& key,
                       const LoadSteps& steps, LastRead& lastRead) {
  LoadSteps quiet;
  quiet.reportWrongPassword = steps.reportWrongPassword;
  // The bytes and the note come from one read. A load that had to rewrite
  // the file reads it again, to note it as the rewrite left it; a third
  // read is for a sync engine that happened to replace it just then. After
  // that the note is of the bytes before the last rewrite, which a later
  // save sees as a change: safe.
  constexpr int kLoads = 3;
  for (int load = 0; load < kLoads; ++load) {
    SnapshotRead read = ReadWithSnapshot(path);
    lastRead.file = read.snapshot;
    if (!LoadRecordsFromBytes(table, read.bytes, path, key, quiet)) break;
  }
  lastRead.records = RecordDigests(table);
  if (steps.refreshViews) steps.refreshViews();
}

SaveOutcome SaveWithoutBlindWrite(RecordTable& table, const std::string& path, const SaveKeys& keys,
                                  const TableChange& change, LastRead& lastRead,
                                  const BeforeReplace& lastCheck) {
  // A version put in place during the write makes the save look again, as
  // at a change found before it; a file that keeps changing makes it give up.
  constexpr int kTries = 3;
  for (int attempt = 0; attempt < kTries; ++attempt) {
    try {
      return SaveOnce(table, path, keys, change, lastRead, lastCheck);
    } catch (const ChangedDuringWrite&) {
    }
  }
  throw std::runtime_error(CannotWriteText(path, store_texts::kKeepsChangingWhileSaved));
}

}  // namespace quilor
