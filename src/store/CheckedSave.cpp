#include "CheckedSave.h"

#include <vector>

namespace quilor {

namespace {

std::vector<int> WrittenRecordIds(RecordTable& table, const TableChange& change) {
  std::vector<int> ids;
  const RecordTable::Bookmark mark = table.remember();
  for (const std::string& number : change.written) {
    if (table.locate(number)) ids.push_back(table.recordId());
  }
  table.returnTo(mark);
  return ids;
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
                                  const TableChange& change, const LastRead& lastRead) {
  SnapshotRead now = ReadWithSnapshot(path);
  if (now.snapshot == lastRead.file) {
    SaveRecords(table, path, keys.write, WrittenRecordIds(table, change));
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
    SaveRecords(fresh, path, keys.write, WrittenRecordIds(fresh, change));
  } catch (...) {
    fresh.wipeAllRecords();
    throw;
  }
  table.wipeAllRecords();
  table = std::move(fresh);
  return SaveOutcome::WrittenWithChangesFromElsewhere;
}

}  // namespace quilor
