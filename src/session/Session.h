#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "FileIdentity.h"
#include "MasterKey.h"
#include "RecordTable.h"

namespace quilor {

// The open data file: its path, the identity it had when last read, the
// master password with its cipher key, and the record table. Windows and the
// command-line tool show and change records through it; it knows no window.
//
// Every load verifies the master password against the file. A wrong one
// throws WrongMasterPassword and leaves the table empty. Reading or writing
// errors are passed on as the store raises them.
class Session {
 public:
  explicit Session(std::string dataFilePath);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  const std::string& dataFilePath() const { return dataFilePath_; }
  // As it was just before the last load read the file.
  const FileIdentity& lastReadIdentity() const { return lastRead_; }
  RecordTable& records() { return records_; }
  const RecordTable& records() const { return records_; }

  bool loggedIn() const { return key_ != nullptr; }
  bool masterPasswordMatches(std::string_view password) const;
  bool dataFileExists() const;

  // Takes password (Windows-1254 bytes) as the master password and loads the
  // file under it. On a wrong password the session stays logged out.
  void logIn(std::string_view password);
  // Reads the file again under the master password.
  void load();
  // Reads the file again only when its identity differs from the last read:
  // the table then still shows what the file holds. True when it read.
  bool loadIfChanged();
  // Writes the table, then reads it back once. enteredRecordIds: see SaveRecords.
  void save(std::span<const int> enteredRecordIds = {});
  // Writes changed instead of the table, then reads it back. When the write
  // fails, the table stays as it was.
  void saveInstead(RecordTable changed);
  // Writes the table under newPassword and reads it back under it. When the
  // write fails, the old password stays in force.
  void changeMasterPassword(std::string_view newPassword);

  // Locked, the session holds no record data; the master password stays for
  // the unlock to compare with.
  void lock();
  bool locked() const { return locked_; }
  // False when password is not the master password. Otherwise reads the
  // file again if it was locked.
  bool unlock(std::string_view password);

 private:
  const MasterKey& key() const;
  void loadUnder(const MasterKey& key);

  std::string dataFilePath_;
  FileIdentity lastRead_;
  std::unique_ptr<MasterKey> key_;
  RecordTable records_;
  bool locked_ = false;
};

}  // namespace quilor
