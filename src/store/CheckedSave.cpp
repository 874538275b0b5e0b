#include "CheckedSave.h"

#include <vector>

#include "SilentAbort.h"

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

void LoadRecordsNoting(RecordTable& table, const std::string& path, std::string_view masterPassword,
                       const LoadSteps& steps, LastRead& lastRead) {
  LoadSteps quiet;
  quiet.reportWrongPassword = steps.reportWrongPassword;
  // The second load finds the file normalised; a third is for a sync engine
  // that happened to replace it just then. One that never stops changing
  // it leaves a note that a later save sees as a change, which is safe.
  constexpr int kLoads = 3;
  FileSnapshot after;
  for (int load = 0; load < kLoads; ++load) {
    const FileSnapshot before = SnapshotOf(path);
    LoadRecords(table, path, masterPassword, quiet);
    after = SnapshotOf(path);
    if (after == before) break;
  }
  lastRead.file = after;
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
    } catch (const SilentAbort&) {
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
