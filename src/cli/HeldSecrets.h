#pragma once

#include <string>
#include <vector>

#include "MasterKey.h"
#include "MasterPasswordInput.h"
#include "RecordJson.h"
#include "SecureWipe.h"

namespace quilor::cli {

// The master password and its key for as long as a command needs them, in
// locked memory; overwritten when the command ends, however it ends.
class MasterPassword {
 public:
  explicit MasterPassword(bool confirm) : key_(Read(confirm)) {}
  MasterPassword(const MasterPassword&) = delete;
  MasterPassword& operator=(const MasterPassword&) = delete;
  const MasterKey& key() const { return key_; }

 private:
  static MasterKey Read(bool confirm) {
    std::string typed = ReadMasterPassword(confirm);
    try {
      MasterKey key(typed);
      WipeText(typed);
      return key;
    } catch (...) {
      WipeText(typed);
      throw;
    }
  }

  MasterKey key_;
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
