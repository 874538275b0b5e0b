#include "ProtectedRecords.h"

#include <algorithm>
#include <array>
#include <vector>

#include "Base64.h"
#include "Cp1254.h"
#include "DataFile.h"
#include "SecureWipe.h"
#include "TextCipher.h"
#include "WholeFile.h"
#include "WorkerThreads.h"

namespace quilor {

namespace {

struct SecretField {
  int field;
  std::string_view marker;
  const char* label;  // UTF-8, as the user knows the field
};

// In the order a record is deciphered: the password first, since it alone
// proves the master password.
constexpr std::array<SecretField, 3> kSecrets{{
    {Field::Password, kPasswordMarker, "Şifre"},
    {Field::Password2, kPassword2Marker, "Şifre 2"},
    {Field::UserName, kUserNameMarker, "Kullanıcı adı"},
}};

constexpr std::size_t kProtectedFieldBytes = 500;

// Base64 length of the cipher text of n bytes: padded to the next whole
// block (always at least one pad byte), then four characters per three bytes.
constexpr std::size_t ProtectedLength(std::size_t n) {
  const std::size_t cipherBytes = 8 * (n / 8 + 1);
  return 4 * ((cipherBytes + 2) / 3);
}

constexpr std::size_t LongestProtectable() {
  std::size_t n = 0;
  while (ProtectedLength(n + 1) <= kProtectedFieldBytes) ++n;
  return n;
}

const SecretField* FindSecret(int field) {
  for (const auto& secret : kSecrets) {
    if (secret.field == field) return &secret;
  }
  return nullptr;
}

const SecretField& SecretOf(int field) {
  if (const SecretField* secret = FindSecret(field)) return *secret;
  throw std::out_of_range("not a protected field");
}

using SecretTexts = std::array<std::string, kSecrets.size()>;

void WipeAll(SecretTexts& texts) {
  for (auto& text : texts) WipeText(text);
}

// The records in table order; the pointers stay valid until records are
// added or removed. The cursor is left where it was.
std::vector<const Record*> RecordsInOrder(RecordTable& table) {
  std::vector<const Record*> records;
  records.reserve(table.recordCount());
  const auto mark = table.remember();
  for (table.first(); !table.eof(); table.next()) records.push_back(&table.current());
  table.returnTo(mark);
  return records;
}

// Only secrets typed in by the user are held to the limit. A record read
// from the file and left alone is written back as it came, its protected
// form cut to the field like any value, so that one damaged old record never
// keeps the user from saving anything else.
void CheckEnteredSecretLengths(const std::vector<const Record*>& records,
                               std::span<const int> enteredRecordIds) {
  for (const Record* record : records) {
    if (std::find(enteredRecordIds.begin(), enteredRecordIds.end(), record->recordId) ==
        enteredRecordIds.end()) {
      continue;
    }
    for (const auto& secret : kSecrets) {
      const std::size_t limit = MaxSecretBytes(secret.field);
      if (record->values[secret.field].text.size() > limit) {
        const QString title = FromCp1254(record->values[Field::Title].text);
        throw SecretTooLongError(secret.field, "\"" + title.toStdString() +
                                                   "\" kaydı: " + secret.label + " en fazla " +
                                                   std::to_string(limit) + " bayt olabilir.");
      }
    }
  }
}

std::string ProtectWithMarker(std::string_view marker, const FieldView& value,
                              const CipherKey& key) {
  std::string plain;
  plain.reserve(marker.size() + value.text.size());
  plain.append(marker).append(value.text);  // a null value counts as the empty text
  std::string protectedText = ProtectValue(plain, key);
  WipeText(plain);
  return protectedText;
}

// The program always writes the marker first, so only a leading marker is
// taken off; a value that merely contains the marker text stays whole.
void TakeOffMarker(std::string& value, std::string_view marker) {
  if (value.starts_with(marker)) value.erase(0, marker.size());
}

// Deciphers one record's secrets. False when its password does not prove the
// master password; nothing of it is then kept.
bool DecipherRecord(const Record& record, const CipherKey& key, SecretTexts& plain) {
  for (std::size_t k = 0; k < kSecrets.size(); ++k) {
    const SecretField& secret = kSecrets[k];
    plain[k] = UnprotectValue(record.values[secret.field].text, key);
    if (secret.field == Field::Password && plain[k].find(secret.marker) == std::string::npos) {
      WipeAll(plain);
      return false;
    }
    TakeOffMarker(plain[k], secret.marker);
  }
  return true;
}

}  // namespace

std::string ProtectValue(std::string_view plain, const CipherKey& key) {
  // Room for the pad, so that enciphering in place never leaves a copy of
  // the plain text behind in a released buffer.
  std::string bytes;
  bytes.reserve(plain.size() + 8);
  bytes.assign(plain);
  EncryptText(bytes, key);
  return EncodeBase64(bytes);
}

std::string ProtectValue(std::string_view plain, std::string_view masterPassword) {
  return ProtectValue(plain, MasterKey(masterPassword).cipherKey());
}

std::string UnprotectValue(std::string_view protectedText, const CipherKey& key) {
  std::string bytes = DecodeBase64(protectedText);
  DecryptText(bytes, key);
  return bytes;
}

std::string UnprotectValue(std::string_view protectedText, std::string_view masterPassword) {
  return UnprotectValue(protectedText, MasterKey(masterPassword).cipherKey());
}

bool IsProtectedField(int field) { return FindSecret(field) != nullptr; }

std::size_t MaxSecretBytes(int field) {
  static_assert(LongestProtectable() == 367);
  return LongestProtectable() - SecretOf(field).marker.size();
}

void SaveRecords(RecordTable& table, const std::string& path, const MasterKey& key,
                 std::span<const int> enteredRecordIds, const BeforeReplace& check) {
  const auto records = RecordsInOrder(table);
  CheckEnteredSecretLengths(records, enteredRecordIds);

  std::vector<SecretTexts> protectedForms(records.size());
  ParallelFor(records.size(), [&](std::size_t i) {
    for (std::size_t k = 0; k < kSecrets.size(); ++k) {
      const SecretField& secret = kSecrets[k];
      std::string& form = protectedForms[i][k];
      form = ProtectWithMarker(secret.marker, records[i]->values[secret.field], key.cipherKey());
      // Cut to the field like any value (only a record read in and left
      // alone can be that long; see above).
      if (form.size() > kProtectedFieldBytes) form.resize(kProtectedFieldBytes);
    }
    return true;
  });

  // The plain values stay in the table; the file gets the protected forms
  // in their place.
  const WrittenInstead protectedForm = [&](std::size_t index, int field) -> const std::string* {
    const SecretField* secret = FindSecret(field);
    return secret == nullptr
               ? nullptr
               : &protectedForms[index][static_cast<std::size_t>(secret - kSecrets.data())];
  };
  WriteDataFile(table, path, protectedForm, check);
}

namespace {

// Verifies and deciphers what was read into the table. rewrite, when set,
// brings the file into its normalised form and mode; it runs only once the
// master password is proven, so that a wrong one never changes the file, and
// before anything of the deciphering shows.
void UnlockTable(RecordTable& table, const CipherKey& key, const LoadSteps& steps,
                 const std::function<void()>& rewrite) {
  const auto records = RecordsInOrder(table);
  // Each record's values with its secrets in plain, made whole on the worker
  // threads; a record whose password fails gets none.
  std::vector<RecordValues> deciphered(records.size());
  std::vector<char> verified(records.size(), 0);
  try {
    ParallelFor(records.size(), [&](std::size_t i) {
      SecretTexts plain;
      if (!DecipherRecord(*records[i], key, plain)) return false;
      RecordValues values = records[i]->values;
      for (std::size_t k = 0; k < kSecrets.size(); ++k) {
        values.setText(kSecrets[k].field, KeptText(kSecrets[k].field, plain[k]));
      }
      WipeAll(plain);
      values.shrinkToFit();
      deciphered[i] = std::move(values);
      verified[i] = 1;
      return true;
    });
    const bool proven = std::all_of(verified.begin(), verified.end(), [](char v) { return v; });
    if (proven && rewrite) rewrite();
  } catch (...) {
    table.removeAllRecords();
    throw;
  }

  // Taken over in table order, so the table ends as a one-by-one load leaves
  // it: deciphered up to the first record whose password fails.
  table.first();
  for (std::size_t i = 0; i < records.size(); ++i, table.next()) {
    if (!verified[i]) {
      if (steps.reportWrongPassword) steps.reportWrongPassword();
      throw WrongMasterPassword{};
    }
    table.edit();
    table.replaceValues(std::move(deciphered[i]));
    table.post();
  }
  table.first();
  if (steps.refreshViews) steps.refreshViews();
}

}  // namespace

void LoadRecords(RecordTable& table, const std::string& path, const MasterKey& key,
                 const LoadSteps& steps) {
  table.removeAllRecords();
  LoadRecordsFromBytes(table, ReadWholeFile(path), path, key, steps);
}

bool LoadRecordsFromBytes(RecordTable& table, const std::optional<std::string>& bytes,
                          const std::string& path, const MasterKey& key, const LoadSteps& steps) {
  // The normalised form is made, and held to the read limit, before any
  // deciphering: a file that could not be rewritten is refused whatever the
  // password. It is written only once the password is proven.
  std::optional<std::string> normalised;
  bool removed = false;
  table.removeAllRecords();
  try {
    if (bytes) {
      FillTableFromBytes(table, *bytes, path);
      if (table.isEmpty()) {
        RemoveFile(path);
        removed = true;
      } else {
        normalised = NormalisedFileText(table, path, *bytes);
      }
    }
  } catch (...) {
    // What was read is still protected; it must not stay in the table where
    // a later save would protect it a second time.
    table.removeAllRecords();
    throw;
  }
  std::function<void()> rewrite;
  if (normalised) {
    rewrite = [&] { ReplaceWholeFile(path, *normalised); };
  } else if (bytes && !removed) {
    rewrite = [&] { RestrictToOwner(path); };
  }
  UnlockTable(table, key.cipherKey(), steps, rewrite);
  return removed || normalised.has_value();
}

void LoadRecordsWithoutRewrite(RecordTable& table, std::string bytes, const std::string& path,
                               const MasterKey& key, const LoadSteps& steps) {
  try {
    FillTableFromBytes(table, std::move(bytes), path);
  } catch (...) {
    table.removeAllRecords();
    throw;
  }
  UnlockTable(table, key.cipherKey(), steps, {});
}

}  // namespace quilor
