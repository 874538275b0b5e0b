#pragma once

#include <string>
#include <vector>

#include "MasterPasswordInput.h"
#include "RecordJson.h"
#include "RecordTable.h"
#include "SecureWipe.h"

namespace quilor::cli {

// The master password for as long as a command needs it; overwritten when
// the command ends, however it ends.
class MasterPassword {
 public:
  explicit MasterPassword(bool confirm) : bytes_(ReadMasterPassword(confirm)) {}
  ~MasterPassword() { WipeText(bytes_); }
  MasterPassword(const MasterPassword&) = delete;
  MasterPassword& operator=(const MasterPassword&) = delete;
  const std::string& bytes() const { return bytes_; }

 private:
  std::string bytes_;
};

// A table whose deciphered secrets are overwritten when it goes.
class UnlockedTable {
 public:
  UnlockedTable() = default;
  ~UnlockedTable() { table.wipeAllRecords(); }
  UnlockedTable(const UnlockedTable&) = delete;
  UnlockedTable& operator=(const UnlockedTable&) = delete;

  RecordTable table;
};

// An import's source text and the records read from it hold plain secrets.
struct ImportInput {
  ImportInput() = default;
  ~ImportInput() {
    WipeText(text);
    for (ImportedRecord& record : records) record.values.wipe();
  }
  ImportInput(const ImportInput&) = delete;
  ImportInput& operator=(const ImportInput&) = delete;

  std::string text;
  std::vector<ImportedRecord> records;
};

}  // namespace quilor::cli
