#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "FileSteps.h"
#include "Files.h"
#include "LockedMemory.h"
#include "ProtectedRecords.h"
#include "SampleRecords.h"
#include "Session.h"

namespace quilor {
namespace {

constexpr const char* kMaster = "anahtar";

// Counts the whole-file reads (each ends with a read that finds the end)
// and can refuse the rename that puts a written file in place.
class CountingSteps : public FileSteps {
 public:
  long read(int fd, char* buffer, std::size_t size) override {
    const long got = FileSteps::read(fd, buffer, size);
    if (got == 0) ++wholeReads;
    return got;
  }
  int rename(const std::string& from, const std::string& to) override {
    if (failRename) {
      errno = EIO;
      return -1;
    }
    return FileSteps::rename(from, to);
  }

  int wholeReads = 0;
  bool failRename = false;
};

class SessionOnFile : public testing::Test {
 protected:
  void SetUp() override {
    RecordTable table;
    test::AppendSample(table, {.title = "Banka", .password = "Gizli-1", .recordNumber = "1"});
    test::AppendSample(table, {.title = "Kargo", .password = "k", .recordNumber = "2"});
    test::SaveSample(table, path, kMaster);
  }

  // The same bytes put in place of the file by a rename, as a sync tool
  // does: a new inode, whatever the clock's resolution. Owner-only, like the
  // file it replaces, so that the load has nothing to restrict.
  void replaceFileWithCopy() {
    test::WriteBytes(path + ".neu", test::ReadBytes(path));
    std::filesystem::permissions(
        path + ".neu", std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    std::filesystem::rename(path + ".neu", path);
  }

  test::TempFolder folder;
  std::string path = folder.file("data.xtr");
  CountingSteps steps;
  ScopedFileSteps useSteps{steps};
};

TEST_F(SessionOnFile, LoginTakesOnlyThePasswordThatFitsTheFile) {
  struct Case {
    const char* password;
    bool fits;
  };
  for (const Case& c : {Case{"ANAHTAR", false}, Case{"anahtar ", false}, Case{kMaster, true}}) {
    SCOPED_TRACE(c.password);
    Session session(path);
    if (c.fits) {
      session.logIn(c.password);
    } else {
      EXPECT_THROW(session.logIn(c.password), WrongMasterPassword);
    }
    EXPECT_EQ(session.loggedIn(), c.fits);
    EXPECT_EQ(session.records().recordCount(), c.fits ? 2u : 0u);
  }
}

TEST_F(SessionOnFile, AFirstStartLogsInOnNoFileAndWritesNothing) {
  Session session(folder.file("yeni/data.xtr"));
  EXPECT_FALSE(session.dataFileExists());
  session.logIn("ilk");
  EXPECT_TRUE(session.loggedIn());
  EXPECT_TRUE(session.records().isEmpty());
  EXPECT_FALSE(std::filesystem::exists(folder.file("yeni/data.xtr")));
}

TEST_F(SessionOnFile, ASearchReadsTheFileAgainOnlyWhenItChanged) {
  Session session(path);
  session.logIn(kMaster);
  const int afterLogin = steps.wholeReads;

  EXPECT_FALSE(session.changedSinceRead());
  EXPECT_EQ(steps.wholeReads, afterLogin);

  replaceFileWithCopy();
  EXPECT_TRUE(session.changedSinceRead());
  session.load();
  EXPECT_EQ(steps.wholeReads, afterLogin + 1);
  EXPECT_EQ(session.records().recordCount(), 2u);
  EXPECT_FALSE(session.changedSinceRead());
}

TEST_F(SessionOnFile, ASaveWritesThenReadsBackOnceAndIsThenUnchanged) {
  Session session(path);
  session.logIn(kMaster);
  RecordTable& table = session.records();
  ASSERT_TRUE(table.locate("2"));
  table.edit();
  table.setText(Field::Title, "Kargo Takip");
  table.post();
  const int before = steps.wholeReads;

  session.save({{"2"}, {}});

  // The look before the write and the read-back.
  EXPECT_EQ(steps.wholeReads, before + 2);
  EXPECT_FALSE(session.changedSinceRead());
  Session other(path);
  other.logIn(kMaster);
  ASSERT_TRUE(other.records().locate("2"));
  EXPECT_EQ(other.records().text(Field::Title), "Kargo Takip");
}

TEST_F(SessionOnFile, AFailedWriteLeavesFileTableAndPasswordAsTheyWere) {
  Session session(path);
  session.logIn(kMaster);
  const std::string bytes = test::ReadBytes(path);
  RecordTable shorter = session.records();
  ASSERT_TRUE(shorter.locate("1"));
  shorter.deleteCurrent();
  steps.failRename = true;

  EXPECT_ANY_THROW(session.save({}));
  EXPECT_ANY_THROW(session.saveInstead(shorter, {{}, {"1"}}));
  EXPECT_ANY_THROW(session.changeMasterPassword("yeni"));

  EXPECT_EQ(test::ReadBytes(path), bytes);
  EXPECT_EQ(session.records().recordCount(), 2u);
  EXPECT_TRUE(session.masterPasswordMatches(kMaster));
  EXPECT_FALSE(session.masterPasswordMatches("yeni"));
}

TEST_F(SessionOnFile, AChangedMasterPasswordIsTheOnlyOneTheFileTakes) {
  Session session(path);
  session.logIn(kMaster);
  session.changeMasterPassword("yeni");
  EXPECT_TRUE(session.masterPasswordMatches("yeni"));
  EXPECT_EQ(session.records().recordCount(), 2u);

  Session after(path);
  EXPECT_THROW(after.logIn(kMaster), WrongMasterPassword);
  after.logIn("yeni");
  ASSERT_TRUE(after.records().locate("1"));
  EXPECT_EQ(after.records().text(Field::Password), "Gizli-1");
}

TEST_F(SessionOnFile, LockedItHoldsNoRecordsAndOnlyTheMasterPasswordUnlocks) {
  Session session(path);
  session.logIn(kMaster);
  session.lock();
  EXPECT_TRUE(session.locked());
  EXPECT_TRUE(session.records().isEmpty());
  // Locked, nothing reads the records in, and the empty table is never written.
  const std::string bytes = test::ReadBytes(path);
  replaceFileWithCopy();
  EXPECT_FALSE(session.changedSinceRead());
  EXPECT_TRUE(session.records().isEmpty());
  EXPECT_THROW(session.save({}), std::logic_error);
  EXPECT_EQ(test::ReadBytes(path), bytes);

  EXPECT_FALSE(session.unlock("ANAHTAR"));
  EXPECT_TRUE(session.locked());
  EXPECT_TRUE(session.records().isEmpty());

  EXPECT_TRUE(session.unlock(kMaster));
  EXPECT_FALSE(session.locked());
  EXPECT_EQ(session.records().recordCount(), 2u);
}

// Unknown keys and a mode open to others: the program's login rewrites such
// a file. Sessions that only read it, or read it to change it later, leave
// it as it is, byte for byte, with its time and mode.
TEST_F(SessionOnFile, OnlyTheProgramsSessionRewritesTheFileAtLoad) {
  std::string loose = test::ReadBytes(path);
  loose.insert(loose.find("ALAN2="), "bilinmeyen=anahtar\r\n");
  struct Case {
    const char* name;
    Session::Access access;
    bool rewrites;
  };
  for (const Case& c : {Case{"Normalise", Session::Access::Normalise, true},
                        Case{"KeepUntilSave", Session::Access::KeepUntilSave, false},
                        Case{"ReadOnly", Session::Access::ReadOnly, false}}) {
    SCOPED_TRACE(c.name);
    test::WriteBytes(path, loose);
    std::filesystem::permissions(
        path, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                  std::filesystem::perms::group_read | std::filesystem::perms::others_read);
    const test::FileStamp stamp = test::StampOf(path);

    Session session(path, c.access);
    session.logIn(kMaster);
    ASSERT_TRUE(session.records().locate("1"));
    EXPECT_EQ(session.records().text(Field::Password), "Gizli-1");
    EXPECT_EQ(session.records().recordCount(), 2u);
    EXPECT_EQ(test::ReadBytes(path) != loose, c.rewrites);
    EXPECT_EQ(test::StampOf(path) != stamp, c.rewrites);
    const auto others =
        std::filesystem::status(path).permissions() & std::filesystem::perms::others_read;
    EXPECT_EQ(others == std::filesystem::perms::none, c.rewrites);
    if (!c.rewrites) {
      EXPECT_FALSE(session.changedSinceRead());
    }
  }
}

TEST_F(SessionOnFile, AReadOnlySessionReadsTheFileOnceAndRefusesEveryWrite) {
  Session session(path, Session::Access::ReadOnly);
  session.logIn(kMaster);
  EXPECT_EQ(steps.wholeReads, 1);
  const std::string bytes = test::ReadBytes(path);
  const test::FileStamp stamp = test::StampOf(path);

  RecordTable shorter = session.records();
  ASSERT_TRUE(shorter.locate("1"));
  shorter.deleteCurrent();
  ASSERT_TRUE(session.records().locate("2"));
  session.records().edit();
  session.records().setText(Field::Title, "Kargo Takip");
  session.records().post();
  EXPECT_THROW(session.save({{"2"}, {}}), std::logic_error);
  EXPECT_THROW(session.saveInstead(shorter, {{}, {"1"}}), std::logic_error);
  EXPECT_THROW(session.changeMasterPassword("yeni"), std::logic_error);

  EXPECT_EQ(test::ReadBytes(path), bytes);
  EXPECT_EQ(test::StampOf(path), stamp);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                          std::filesystem::directory_iterator()),
            1);
  EXPECT_TRUE(session.masterPasswordMatches(kMaster));
  EXPECT_FALSE(session.masterPasswordMatches("yeni"));
}

// Read to be changed later, as the command-line tool's merge reads it: a
// version another writer put in place meanwhile is taken in, never written
// over.
TEST_F(SessionOnFile, ASaveAfterAnotherWriterKeepsTheOtherWritersRecords) {
  Session session(path, Session::Access::KeepUntilSave);
  session.logIn(kMaster);
  {
    Session other(path);
    other.logIn(kMaster);
    test::AppendSample(other.records(), {.title = "Posta", .password = "p", .recordNumber = "3"});
    ASSERT_EQ(other.save({{"3"}, {}}), SaveOutcome::Written);
  }
  test::AppendSample(session.records(), {.title = "Oyun", .password = "o", .recordNumber = "4"});

  EXPECT_EQ(session.save({{"4"}, {}}), SaveOutcome::WrittenWithChangesFromElsewhere);
  EXPECT_FALSE(session.changedSinceRead());
  Session after(path, Session::Access::ReadOnly);
  after.logIn(kMaster);
  std::vector<std::string> titles;
  for (after.records().first(); !after.records().eof(); after.records().next()) {
    titles.push_back(after.records().text(Field::Title));
  }
  std::sort(titles.begin(), titles.end());
  EXPECT_EQ(titles, (std::vector<std::string>{"Banka", "Kargo", "Oyun", "Posta"}));
  EXPECT_EQ(session.records().recordCount(), 4u);
}

// Kilobytes of memory the process holds locked, from /proc/self/status.
TEST_F(SessionOnFile, TheMasterPasswordAndItsKeyLieInLockedMemoryUntilTheSessionEnds) {
  if (test::kMlockIgnored) GTEST_SKIP() << "mlock does nothing under AddressSanitizer";
  const long before = test::LockedKilobytes();
  ASSERT_GE(before, 0);
  {
    Session session(path);
    session.logIn(kMaster);
    EXPECT_GT(test::LockedKilobytes(), before);
  }
  EXPECT_EQ(test::LockedKilobytes(), before);
}

}  // namespace
}  // namespace quilor
