#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "DataFile.h"
#include "ProtectedRecords.h"
#include "StoreTestSupport.h"
#include "WorkerThreads.h"

namespace quilor {
namespace {

using test::AppendRecord;
using test::Cp;
using test::Fixture;
using test::ReadBytes;
using test::Snapshot;
using test::TempFolder;
using test::WriteBytes;

// Counts the calls the window layer would receive.
struct StepCalls {
  int wrongPassword = 0;
  int refreshViews = 0;
  LoadSteps steps() {
    return {[this] { ++wrongPassword; }, [this] { ++refreshViews; }};
  }
};

// The text of one key of one section (1-based) of a data file.
std::string ValueInFile(const std::string& bytes, int section, const std::string& key) {
  const auto start = bytes.find("[RecNo" + std::to_string(section) + "]\r\n");
  const auto line = bytes.find("\r\n" + key + "=", start);
  const auto valueStart = line + key.size() + 3;
  return bytes.substr(valueStart, bytes.find("\r\n", valueStart) - valueStart);
}

// Each test runs once on the calling thread alone and once spread over
// several threads: what the caller sees must not differ.
class ProtectedRecords : public testing::TestWithParam<unsigned> {
 protected:
  void SetUp() override { SetWorkerThreads(GetParam()); }
  void TearDown() override { SetWorkerThreads(0); }

  TempFolder folder_;
  std::string path_ = folder_.file("data.xtr");
  std::string master_ = Cp("Ana şifre");
};

INSTANTIATE_TEST_SUITE_P(Threads, ProtectedRecords, testing::Values(1u, 2u, 5u));

// The fixture's protected values were made with OpenSSL's Blowfish
// ("openssl enc -bf-ecb -nopad" keyed with the password bytes repeated to
// 16 bytes, after adding marker and pad by hand), not with our own cipher.
TEST_P(ProtectedRecords, LoadsAFileMadeByAnIndependentCipher) {
  WriteBytes(path_, Fixture("protected.xtr"));
  RecordTable table;
  StepCalls calls;

  LoadRecords(table, path_, MasterKey(Cp("Anahtarı")), calls.steps());

  EXPECT_EQ(calls.wrongPassword, 0);
  EXPECT_EQ(calls.refreshViews, 1);
  ASSERT_EQ(table.recordCount(), 2u);
  table.first();
  EXPECT_EQ(table.text(Field::UserName), Cp("ayşe.yılmaz"));
  EXPECT_EQ(table.text(Field::Password), Cp("Güçlü=Şifre!"));
  EXPECT_EQ(table.text(Field::Password2), "");
  EXPECT_FALSE(table.isNull(Field::Password2));
  table.next();
  EXPECT_EQ(table.text(Field::UserName), "");
  EXPECT_EQ(table.text(Field::Password), "xQARVELINOPESKAy");
  EXPECT_EQ(table.text(Field::Password2), Cp("ikinci ÖZEL"));
  EXPECT_EQ(ReadBytes(path_), Fixture("protected.xtr"));
}

// One key serves every field of a load and of the save after it: the file
// written again under it is the fixture byte for byte.
TEST_P(ProtectedRecords, TheFixtureReadAndWrittenAgainKeepsItsBytes) {
  WriteBytes(path_, Fixture("protected.xtr"));
  const MasterKey key(Cp("Anahtarı"));
  RecordTable table;
  LoadRecords(table, path_, key, {});
  const std::string again = folder_.file("again.xtr");
  SaveRecords(table, again, key);
  EXPECT_EQ(ReadBytes(again), Fixture("protected.xtr"));
}

TEST_P(ProtectedRecords, SaveProtectsCopiesAndLoadRestoresThePlainValues) {
  std::string allBytes;
  for (int b = 1; b < 256; ++b) allBytes += static_cast<char>(b);
  RecordTable table;
  AppendRecord(table, "Posta", Cp("ayşe"), Cp("Güçlü=Şifre!"), "");
  AppendRecord(table, "Banka", Cp("ayşe"), "QARVELINOPESKAbaşta", "ortada QARVELINOPESKA2 var");
  AppendRecord(table, "Bayt", allBytes.substr(0, 250), allBytes.substr(100, 200), "\x01\x02\x08");
  table.append();  // a record whose secrets are all null
  table.setText(Field::Title, "Bos");
  table.post();
  table.first();
  table.next();
  const auto before = Snapshot(table);

  SaveRecords(table, path_, MasterKey(master_));

  EXPECT_EQ(Snapshot(table), before);
  const std::string file = ReadBytes(path_);
  EXPECT_EQ(ValueInFile(file, 1, "ALAN5").size(), 24u);
  EXPECT_EQ(ValueInFile(file, 4, "ALAN3").size(), 24u);
  EXPECT_EQ(ValueInFile(file, 1, "ALAN3"), ValueInFile(file, 2, "ALAN3"));
  const std::pair<const char*, std::string_view> markers[] = {
      {"ALAN3", kUserNameMarker}, {"ALAN4", kPasswordMarker}, {"ALAN5", kPassword2Marker}};
  for (int record = 1; record <= 4; ++record) {
    for (const auto& [key, marker] : markers) {
      const std::string value = ValueInFile(file, record, key);
      EXPECT_EQ(value.find_first_not_of(
                    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/="),
                std::string::npos);
      EXPECT_TRUE(UnprotectValue(value, master_).starts_with(marker)) << record << key;
    }
  }
  SaveRecords(table, path_, MasterKey(master_));  // nothing is protected twice
  EXPECT_EQ(ReadBytes(path_), file);

  RecordTable loaded;
  StepCalls calls;
  LoadRecords(loaded, path_, MasterKey(master_), calls.steps());

  EXPECT_EQ(calls.refreshViews, 1);
  ASSERT_EQ(loaded.recordCount(), 4u);
  table.first();
  for (loaded.first(); !loaded.eof(); loaded.next(), table.next()) {
    for (int f : {Field::UserName, Field::Password, Field::Password2}) {
      EXPECT_EQ(loaded.text(f), table.text(f)) << "record " << loaded.recordNo() << " field " << f;
    }
    EXPECT_EQ(loaded.text(Field::Title), table.text(Field::Title));
  }
}

TEST_P(ProtectedRecords, SecretsUpToTheirLimitRoundTripAndLongerOnesAreRefused) {
  const struct {
    int field;
    std::size_t limit;
    const char* message;
  } cases[] = {
      {Field::UserName, 355, "\"Uzun İsim\" kaydı: Kullanıcı adı en fazla 355 bayt olabilir."},
      {Field::Password, 353, "\"Uzun İsim\" kaydı: Şifre en fazla 353 bayt olabilir."},
      {Field::Password2, 352, "\"Uzun İsim\" kaydı: Şifre 2 en fazla 352 bayt olabilir."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(kFields[c.field].name);
    EXPECT_EQ(MaxSecretBytes(c.field), c.limit);

    RecordTable table;
    AppendRecord(table, Cp("Uzun İsim"), "k", "s", "t");
    table.edit();
    table.setText(c.field, std::string(c.limit, '\xFE'));
    table.post();
    const int entered[] = {table.recordId()};
    SaveRecords(table, path_, MasterKey(master_), entered);
    EXPECT_LE(ValueInFile(ReadBytes(path_), 1, kFields[c.field].name.data()).size(), 500u);
    StepCalls calls;
    LoadRecords(table, path_, MasterKey(master_), calls.steps());
    EXPECT_EQ(table.text(c.field), std::string(c.limit, '\xFE'));

    const std::string old = ReadBytes(path_);
    table.edit();
    table.setText(c.field, std::string(c.limit + 1, 'x'));
    table.post();
    const auto before = Snapshot(table);
    const int enteredAgain[] = {table.recordId()};
    try {
      SaveRecords(table, path_, MasterKey(master_), enteredAgain);
      ADD_FAILURE() << "no error";
    } catch (const SecretTooLongError& error) {
      EXPECT_EQ(error.field(), c.field);
      EXPECT_STREQ(error.what(), c.message);
    }
    EXPECT_EQ(ReadBytes(path_), old);
    EXPECT_EQ(Snapshot(table), before);
  }
  std::filesystem::remove(path_);
  RecordTable table;
  AppendRecord(table, "Yeni", "", std::string(354, 'x'), "");
  const int entered[] = {table.recordId()};
  EXPECT_THROW(SaveRecords(table, path_, MasterKey(master_), entered), SecretTooLongError);
  EXPECT_FALSE(std::filesystem::exists(path_));
}

// A password stored longer than the field allows (as older files hold) loads
// cut and cannot be protected within 500 characters again. The user never
// typed it in this session, so it must not block saving other changes.
TEST_P(ProtectedRecords, ADamagedOldRecordDoesNotBlockSavingOtherRecords) {
  const std::string longPassword(400, 'p');
  WriteBytes(path_, "[RecNo1]\r\nALAN1=1\r\nALAN2=Eski\r\nALAN4=" +
                        ProtectValue(std::string(kPasswordMarker) + longPassword, master_) +
                        "\r\n[RecNo2]\r\nALAN1=2\r\nALAN2=Silinecek\r\nALAN4=" +
                        ProtectValue(std::string(kPasswordMarker) + "kısa", master_) + "\r\n");
  RecordTable table;
  StepCalls calls;
  LoadRecords(table, path_, MasterKey(master_), calls.steps());
  ASSERT_EQ(table.recordCount(), 2u);
  const std::string damaged = table.text(Field::Password);
  ASSERT_GT(damaged.size(), MaxSecretBytes(Field::Password));

  ASSERT_TRUE(table.locate("2"));
  table.deleteCurrent();
  SaveRecords(table, path_, MasterKey(master_));

  RecordTable loaded;
  LoadRecords(loaded, path_, MasterKey(master_), calls.steps());
  ASSERT_EQ(loaded.recordCount(), 1u);
  EXPECT_EQ(loaded.text(Field::Title), "Eski");
  EXPECT_TRUE(loaded.text(Field::Password).starts_with(longPassword.substr(0, 300)));
  EXPECT_EQ(ValueInFile(ReadBytes(path_), 1, "ALAN4").size(), 500u);

  // Typed in again, the same value is refused, naming the record.
  const int entered[] = {loaded.recordId()};
  try {
    SaveRecords(loaded, path_, MasterKey(master_), entered);
    ADD_FAILURE() << "no error";
  } catch (const SecretTooLongError& error) {
    EXPECT_STREQ(error.what(), "\"Eski\" kaydı: Şifre en fazla 353 bayt olabilir.");
  }
}

TEST_P(ProtectedRecords, AWrongPasswordStopsAtTheFirstRecordThatFails) {
  RecordTable table;
  for (const char* title : {"Bir", "İki", "Üç", "Dört", "Beş", "Altı"}) {
    AppendRecord(table, Cp(title), Cp("kullanıcı"), Cp("şifre ") + Cp(title), "ikinci");
  }
  SaveRecords(table, path_, MasterKey(master_));
  // The third record's password was protected under another master password.
  std::string file = ReadBytes(path_);
  const std::string own = ValueInFile(file, 3, "ALAN4");
  file.replace(file.find(own), own.size(), ProtectValue(Cp("QARVELINOPESKAşifre"), Cp("başka")));
  WriteBytes(path_, file);

  RecordTable loaded;
  StepCalls calls;
  EXPECT_THROW(LoadRecords(loaded, path_, MasterKey(master_), calls.steps()), WrongMasterPassword);

  EXPECT_EQ(calls.wrongPassword, 1);
  EXPECT_EQ(calls.refreshViews, 0);
  ASSERT_EQ(loaded.recordCount(), 6u);
  int position = 1;
  for (loaded.first(); !loaded.eof(); loaded.next(), ++position) {
    SCOPED_TRACE(position);
    if (position < 3) {
      EXPECT_EQ(loaded.text(Field::Password).substr(0, 6), Cp("şifre "));
      EXPECT_EQ(loaded.text(Field::UserName), Cp("kullanıcı"));
      EXPECT_EQ(loaded.text(Field::Password2), "ikinci");
    } else {
      for (const char* key : {"ALAN3", "ALAN4", "ALAN5"}) {
        EXPECT_EQ(loaded.text(FieldIndexByName(key)), ValueInFile(file, position, key));
      }
    }
  }
  EXPECT_EQ(ReadBytes(path_), file);

  StepCalls wrong;
  EXPECT_THROW(LoadRecords(loaded, path_, MasterKey(Cp("yanlış")), wrong.steps()),
               WrongMasterPassword);
  EXPECT_EQ(wrong.wrongPassword, 1);
  loaded.first();
  EXPECT_EQ(loaded.text(Field::Password), ValueInFile(file, 1, "ALAN4"));
}

TEST_P(ProtectedRecords, ARecordWithoutAPasswordLineFailsEveryLogin) {
  WriteBytes(path_, "[RecNo1]\r\nALAN2=Şifresiz\r\nALAN3=" +
                        ProtectValue("KULLANICIADIa", master_) + "\r\n");
  RecordTable table;
  StepCalls calls;
  EXPECT_THROW(LoadRecords(table, path_, MasterKey(master_), calls.steps()), WrongMasterPassword);
  EXPECT_EQ(calls.wrongPassword, 1);
  EXPECT_EQ(calls.refreshViews, 0);
}

// A line that opens a section name but never closes it is no header: it
// must not start a record without a password, which would fail every login.
TEST_P(ProtectedRecords, AnUnclosedHeaderLineStartsNoRecord) {
  RecordTable table;
  AppendRecord(table, "Posta", "ayse", "gizli", "");
  AppendRecord(table, "Banka", "mehmet", "çok gizli", "pin");
  SaveRecords(table, path_, MasterKey(master_));
  std::string file = ReadBytes(path_);
  file.insert(file.find("ALAN6="), "[RecNo9\r\n  [kırık=değer\r\n");
  file.insert(file.find("[RecNo2]"), "[\r\n");
  WriteBytes(path_, file);

  RecordTable loaded;
  StepCalls calls;
  LoadRecords(loaded, path_, MasterKey(master_), calls.steps());

  EXPECT_EQ(calls.wrongPassword, 0);
  ASSERT_EQ(loaded.recordCount(), 2u);
  loaded.first();
  EXPECT_EQ(loaded.text(Field::Password), "gizli");
  EXPECT_EQ(loaded.number(Field::CreatedDate), 39887);
  loaded.next();
  EXPECT_EQ(loaded.text(Field::Password2), "pin");
}

TEST_P(ProtectedRecords, WithoutAFileAnyPasswordIsAcceptedAndNoFileIsMade) {
  RecordTable table;
  AppendRecord(table, "eski", "a", "b", "c");
  StepCalls calls;

  LoadRecords(table, path_, MasterKey(Cp("herhangi")), calls.steps());

  EXPECT_TRUE(table.isEmpty());
  EXPECT_EQ(calls.refreshViews, 1);
  EXPECT_EQ(calls.wrongPassword, 0);
  EXPECT_FALSE(std::filesystem::exists(path_));
}

TEST_P(ProtectedRecords, AfterAChangeOnlyTheNewMasterPasswordOpensTheFile) {
  RecordTable table;
  AppendRecord(table, "Posta", "ayse", "gizli", "");
  AppendRecord(table, "Banka", "mehmet", "çok gizli", "pin");
  SaveRecords(table, path_, MasterKey(master_));
  StepCalls calls;
  LoadRecords(table, path_, MasterKey(master_), calls.steps());
  const auto before = Snapshot(table);

  const std::string changed = Cp("Yeni ana şifre");
  SaveRecords(table, path_, MasterKey(changed));

  RecordTable loaded;
  EXPECT_THROW(LoadRecords(loaded, path_, MasterKey(master_), calls.steps()), WrongMasterPassword);
  LoadRecords(loaded, path_, MasterKey(changed), calls.steps());
  EXPECT_EQ(Snapshot(loaded), before);
}

}  // namespace
}  // namespace quilor
