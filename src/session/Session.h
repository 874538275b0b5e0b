#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "CheckedSave.h"
#include "FileIdentity.h"
#include "MasterKey.h"
#include "RecordTable.h"

namespace quilor {

// The open data file: its path, what it held when last read, the master
// password with its cipher key, and the record table. Windows and the
// command-line tool show and change records through it; it knows no window.
//
// Every load verifies the master password against the file. A wrong one
// throws WrongMasterPassword and leaves the table empty. Reading or writing
// errors are passed on as the store raises them.
//
// No write goes blindly over a file that changed since it was last read (a
// sync engine may have put another machine's version in place): each save
// says what the user changed, and the outcome tells what was written.
// After every save the table holds what the file holds: what the written
// file gave back, or the file read again when the save wrote nothing
// because the same record changed on both sides.
class Session {
 public:
  // What a session may do to its file.
  enum class Access {
    // The program's: every load brings the file into its normalised form
    // (once the master password is proven), and saves write it.
    Normalise,
    // Loads leave the file exactly as it is; saves write it.
    KeepUntilSave,
    // Nothing is ever written: loads leave the file as it is, and every
    // save or change of the master password is refused (std::logic_error).
    ReadOnly,
  };

  explicit Session(std::string dataFilePath, Access access = Access::Normalise);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  const std::string& dataFilePath() const { return dataFilePath_; }
  // As it was just before the last load read the file, or just after the
  // last save put its new file in place.
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
  // True when the file's identity differs from the last read's: only then
  // must a search read it again to show what it holds. Never while locked.
  bool changedSinceRead() const;
  // Writes the table, which holds change already, reading the new file back
  // once before it takes the old one's place (SaveWithoutBlindWrite).
  // The secrets of change's written records are the ones the user typed in.
  // lastCheck, when given, runs last before the new file takes the old
  // one's place; what it throws stops the save with nothing written.
  SaveOutcome save(const TableChange& change, const BeforeReplace& lastCheck = {});
  // Writes changed, which is the table with change made on it, instead of
  // the table, and reads it back as save does. When nothing is written, the
  // table stays as it was.
  SaveOutcome saveInstead(RecordTable changed, const TableChange& change);
  // Writes the table under newPassword and reads it back under it. When
  // nothing is written, the old password stays in force.
  SaveOutcome changeMasterPassword(std::string_view newPassword);

  // Locked, the session holds no record data; the master password stays for
  // the unlock to compare with. Loads do nothing then, and saves refuse.
  void lock();
  bool locked() const { return locked_; }
  // False when password is not the master password. Otherwise reads the
  // file again if it was locked.
  bool unlock(std::string_view password);

 private:
  const MasterKey& key() const;
  const MasterKey& keyToWrite() const;
  void loadUnder(const MasterKey& key);
  void readUnder(const MasterKey& key);
  // Notes the file a save wrote, or reads the file again when the save
  // wrote nothing because a record changed on both sides.
  SaveOutcome noteAfter(SaveOutcome outcome);

  std::string dataFilePath_;
  Access access_;
  // Taken just before the last read: cheap to compare before a search.
  FileIdentity lastRead_;
  // The bytes and records the last read found: compared before every write.
  LastRead lastReadContent_;
  std::unique_ptr<MasterKey> key_;
  RecordTable records_;
  bool locked_ = false;
};

}  // namespace quilor
