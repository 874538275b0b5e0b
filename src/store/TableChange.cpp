#include "TableChange.h"

namespace quilor {

namespace {

void CopyValues(RecordTable& to, const Record& from) {
  for (int field = 0; field < kFieldCount; ++field) to.setValue(field, from.values[field]);
}

// The user deleted the record here: it goes from fresh unless it changed there.
bool ReapplyDelete(RecordTable& fresh, const RecordDigests& read, const std::string& number) {
  if (!fresh.locate(number)) return true;  // deleted there too
  const RecordDigest* before = read.find(number);
  if (before == nullptr || *before != DigestOf(fresh.current())) return false;
  fresh.deleteCurrent();
  return true;
}

bool ReapplyWrite(RecordTable& fresh, const Record& mine, const RecordDigests& read,
                  const std::string& number) {
  const RecordDigest* before = read.find(number);
  if (!fresh.locate(number)) {
    // Gone there while edited here: which of the two the user wants is theirs to say.
    if (before != nullptr) return false;
    fresh.append();
    CopyValues(fresh, mine);
    fresh.post();
    return true;
  }
  const RecordDigest there = DigestOf(fresh.current());
  if (there == DigestOf(mine)) return true;  // the same change made on both sides
  if (before == nullptr || *before != there) return false;
  fresh.edit();
  CopyValues(fresh, mine);
  fresh.post();
  return true;
}

}  // namespace

bool ReapplyChange(RecordTable& fresh, RecordTable& mine, const RecordDigests& read,
                   const TableChange& change) {
  for (const std::string& number : change.deleted) {
    if (!ReapplyDelete(fresh, read, number)) return false;
  }
  for (const std::string& number : change.written) {
    if (!mine.locate(number)) continue;
    if (!ReapplyWrite(fresh, mine.current(), read, number)) return false;
  }
  return true;
}

}  // namespace quilor
