#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

#include "MasterKey.h"
#include "RecordTable.h"
#include "WholeFile.h"

namespace quilor {

inline constexpr std::string_view kUserNameMarker = "KULLANICIADI";
inline constexpr std::string_view kPasswordMarker = "QARVELINOPESKA";
inline constexpr std::string_view kPassword2Marker = "QARVELINOPESKA2";

// UTF-8; shown by the window layer when the master password does not fit.
inline constexpr const char* kWrongMasterPasswordText = "Ana şifreniz geçersiz.";

// Raised by LoadRecords when the master password does not fit the file.
// what() is kWrongMasterPasswordText.
class WrongMasterPassword : public std::runtime_error {
 public:
  WrongMasterPassword() : std::runtime_error(kWrongMasterPasswordText) {}
};

// Base64 of the enciphered text (the field's marker followed by its value).
std::string ProtectValue(std::string_view plain, const CipherKey& key);
std::string ProtectValue(std::string_view plain, std::string_view masterPassword);
// The deciphered bytes of a protected text; a wrong key or a damaged text
// gives other bytes, never an error.
std::string UnprotectValue(std::string_view protectedText, const CipherKey& key);
std::string UnprotectValue(std::string_view protectedText, std::string_view masterPassword);

// True for the fields stored in protected form: ALAN3, ALAN4 and ALAN5.
bool IsProtectedField(int field);

// The longest value of a protected field (ALAN3, ALAN4 or ALAN5) whose
// protected form fits the field's 500 characters: 355, 353 and 352 bytes.
std::size_t MaxSecretBytes(int field);

// Raised by SaveRecords for an entered secret longer than MaxSecretBytes.
// what() is the UTF-8 message for the user; it names the record's title, the
// field and its limit.
class SecretTooLongError : public std::runtime_error {
 public:
  SecretTooLongError(int field, const std::string& message)
      : std::runtime_error(message), field_(field) {}
  int field() const { return field_; }

 private:
  int field_;
};

// Steps the window layer hands to LoadRecords; the store knows no window.
struct LoadSteps {
  // Tells the user that the master password does not fit. LoadRecords then
  // throws WrongMasterPassword.
  std::function<void()> reportWrongPassword;
  // Rebuilds the tray record menu, refills the list and shows the count.
  std::function<void()> refreshViews;
};

// Protects the three secret fields of every record and writes the file at
// path. The table keeps its plain values, also when the save fails.
// enteredRecordIds names the records (by RecordId) whose secrets the user has
// just typed in: a secret of theirs whose protected form would not fit its
// field is refused with a SecretTooLongError, and nothing is written. Every
// other record is written as it stands, its protected form cut to the field
// like any value. check, when given, sees the written file before it takes
// the old one's place (ReplaceWholeFile).
void SaveRecords(RecordTable& table, const std::string& path, const MasterKey& key,
                 std::span<const int> enteredRecordIds = {}, const BeforeReplace& check = {});

// Empties the table, reads the file at path when it exists, verifies the
// master password against every record's password and restores the plain
// values, then runs steps.refreshViews. On a wrong master password:
// steps.reportWrongPassword, then throws WrongMasterPassword; the records before the
// failing one are deciphered, it and those after it keep their protected
// forms. The file's normalising rewrite (see ReadDataFile) waits for the
// password to be proven: a wrong one leaves the file as it is. When reading
// or rewriting the file fails, the table is left empty and the error is
// passed on.
void LoadRecords(RecordTable& table, const std::string& path, const MasterKey& key,
                 const LoadSteps& steps);

// LoadRecords for the bytes that were read from path (none: there was no
// file). True when the file had to be rewritten or removed on the way, so
// that it no longer holds those bytes.
bool LoadRecordsFromBytes(RecordTable& table, const std::optional<std::string>& bytes,
                          const std::string& path, const MasterKey& key, const LoadSteps& steps);

// LoadRecords for a data file's bytes that were read already, without the
// normalising rewrite: for readers that must leave the file exactly as it
// is. path only names the file in messages.
void LoadRecordsWithoutRewrite(RecordTable& table, std::string bytes, const std::string& path,
                               const MasterKey& key, const LoadSteps& steps);

}  // namespace quilor
