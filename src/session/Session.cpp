#include "Session.h"

#include <optional>
#include <stdexcept>
#include <utility>

#include "ProtectedRecords.h"
#include "WholeFile.h"

namespace quilor {

namespace {

bool IsVersion(const FileIdentity& identity, const FileSnapshot& snapshot) {
  if (identity.exists != snapshot.exists) return false;
  return !identity.exists || (static_cast<unsigned long long>(identity.device) == snapshot.device &&
                              static_cast<unsigned long long>(identity.inode) == snapshot.inode &&
                              static_cast<long long>(identity.size) == snapshot.size &&
                              identity.modifiedNs == snapshot.modifiedNs);
}

bool Writes(SaveOutcome outcome) {
  return outcome == SaveOutcome::Written || outcome == SaveOutcome::WrittenWithChangesFromElsewhere;
}

}  // namespace

Session::Session(std::string dataFilePath, Access access)
    : dataFilePath_(std::move(dataFilePath)), access_(access) {}

Session::~Session() { records_.wipeAllRecords(); }

bool Session::masterPasswordMatches(std::string_view password) const {
  return key_ != nullptr && key_->matches(password);
}

bool Session::dataFileExists() const { return IdentityOf(dataFilePath_).exists; }

const MasterKey& Session::key() const {
  if (key_ == nullptr) throw std::logic_error("The data file is used before a login.");
  return *key_;
}

// The table of a locked session is empty: written, it would empty the file.
const MasterKey& Session::keyToWrite() const {
  if (access_ == Access::ReadOnly) {
    throw std::logic_error("The data file is written through a session that only reads it.");
  }
  if (locked_) throw std::logic_error("The data file is written while the session is locked.");
  return key();
}

void Session::logIn(std::string_view password) {
  auto candidate = std::make_unique<MasterKey>(password);
  loadUnder(*candidate);
  key_ = std::move(candidate);
  locked_ = false;
}

// The identity is taken before the read: a change that lands during the read
// then shows as a change at the next look, never the other way round. A load
// that itself rewrites the file or restricts its mode costs one more read at
// the next look, after which the file stays as it is.
void Session::loadUnder(const MasterKey& key) {
  lastRead_ = IdentityOf(dataFilePath_);
  try {
    readUnder(key);
  } catch (...) {
    // A stopped load may leave records deciphered up to the failing one.
    records_.wipeAllRecords();
    lastRead_ = {};
    lastReadContent_ = {};
    throw;
  }
}

// A session that never saves needs no note of what it read to compare a
// save with: one read and one decipher of the file, nothing more.
void Session::readUnder(const MasterKey& key) {
  std::optional<std::string> bytes;
  switch (access_) {
    case Access::Normalise:
      LoadRecordsNoting(records_, dataFilePath_, key, LoadSteps{}, lastReadContent_);
      return;
    case Access::KeepUntilSave: {
      SnapshotRead read = ReadWithSnapshot(dataFilePath_);
      lastReadContent_.file = read.snapshot;
      bytes = std::move(read.bytes);
      break;
    }
    case Access::ReadOnly:
      bytes = ReadWholeFile(dataFilePath_);
      break;
  }
  if (bytes) {
    LoadRecordsWithoutRewrite(records_, std::move(*bytes), dataFilePath_, key, LoadSteps{});
  } else {
    records_.wipeAllRecords();
    lastRead_ = {};
  }
  if (access_ == Access::KeepUntilSave) lastReadContent_.records = RecordDigests(records_);
}

// Locked, the table stays empty until the unlock reads it.
void Session::load() {
  if (!locked_) loadUnder(key());
}

bool Session::changedSinceRead() const {
  return !locked_ && IdentityOf(dataFilePath_) != lastRead_;
}

// The save noted the file it wrote as it wrote it; its identity is taken
// after the rename, which moves the change time. Should another version
// have taken its place already, the note is of no file, so that the next
// look reads the file again.
SaveOutcome Session::noteAfter(SaveOutcome outcome) {
  if (Writes(outcome)) {
    const FileIdentity now = IdentityOf(dataFilePath_);
    lastRead_ = IsVersion(now, lastReadContent_.file) ? now : FileIdentity{};
  } else if (outcome == SaveOutcome::ChangedOnBothSides) {
    load();
  }
  return outcome;
}

SaveOutcome Session::save(const TableChange& change, const BeforeReplace& lastCheck) {
  const MasterKey& current = keyToWrite();
  return noteAfter(SaveWithoutBlindWrite(records_, dataFilePath_, {current, current}, change,
                                         lastReadContent_, lastCheck));
}

SaveOutcome Session::saveInstead(RecordTable changed, const TableChange& change) {
  SaveOutcome outcome;
  try {
    const MasterKey& current = keyToWrite();
    outcome =
        SaveWithoutBlindWrite(changed, dataFilePath_, {current, current}, change, lastReadContent_);
  } catch (...) {
    changed.wipeAllRecords();
    throw;
  }
  if (Writes(outcome)) {
    records_.wipeAllRecords();
    records_ = std::move(changed);
  } else {
    changed.wipeAllRecords();
  }
  return noteAfter(outcome);
}

SaveOutcome Session::changeMasterPassword(std::string_view newPassword) {
  auto fresh = std::make_unique<MasterKey>(newPassword);
  const SaveOutcome outcome =
      SaveWithoutBlindWrite(records_, dataFilePath_, {keyToWrite(), *fresh}, {}, lastReadContent_);
  if (Writes(outcome)) key_ = std::move(fresh);
  return noteAfter(outcome);
}

void Session::lock() {
  records_.wipeAllRecords();
  lastRead_ = {};
  lastReadContent_ = {};
  locked_ = true;
}

bool Session::unlock(std::string_view password) {
  if (!masterPasswordMatches(password)) return false;
  if (locked_) {
    loadUnder(key());
    locked_ = false;
  }
  return true;
}

}  // namespace quilor
