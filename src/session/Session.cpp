#include "Session.h"

#include <stdexcept>
#include <utility>

#include "ProtectedRecords.h"

namespace quilor {

Session::Session(std::string dataFilePath) : dataFilePath_(std::move(dataFilePath)) {}

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
    LoadRecordsNoting(records_, dataFilePath_, key, LoadSteps{}, lastReadContent_);
  } catch (...) {
    // A stopped load may leave records deciphered up to the failing one.
    records_.wipeAllRecords();
    lastRead_ = {};
    lastReadContent_ = {};
    throw;
  }
}

// Locked, the table stays empty until the unlock reads it.
void Session::load() {
  if (!locked_) loadUnder(key());
}

bool Session::changedSinceRead() const {
  return !locked_ && IdentityOf(dataFilePath_) != lastRead_;
}

SaveOutcome Session::readBackAfter(SaveOutcome outcome) {
  if (outcome != SaveOutcome::NoLongerOpens) load();
  return outcome;
}

SaveOutcome Session::save(const TableChange& change) {
  const MasterKey& current = keyToWrite();
  return readBackAfter(
      SaveWithoutBlindWrite(records_, dataFilePath_, {current, current}, change, lastReadContent_));
}

SaveOutcome Session::saveInstead(RecordTable changed, const TableChange& change) {
  const MasterKey& current = keyToWrite();
  SaveOutcome outcome;
  try {
    outcome =
        SaveWithoutBlindWrite(changed, dataFilePath_, {current, current}, change, lastReadContent_);
  } catch (...) {
    changed.wipeAllRecords();
    throw;
  }
  changed.wipeAllRecords();
  return readBackAfter(outcome);
}

SaveOutcome Session::changeMasterPassword(std::string_view newPassword) {
  auto fresh = std::make_unique<MasterKey>(newPassword);
  const SaveOutcome outcome =
      SaveWithoutBlindWrite(records_, dataFilePath_, {keyToWrite(), *fresh}, {}, lastReadContent_);
  if (outcome == SaveOutcome::Written || outcome == SaveOutcome::WrittenWithChangesFromElsewhere) {
    key_ = std::move(fresh);
  }
  return readBackAfter(outcome);
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
