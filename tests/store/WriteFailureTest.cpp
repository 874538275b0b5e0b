// A write that fails at any step leaves the previous file byte for byte, and
// the table with its plain values; a file that cannot be read is never
// written over.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include "DataFile.h"
#include "FileSteps.h"
#include "ProtectedRecords.h"
#include "StoreTestSupport.h"

namespace quilor {
namespace {

using test::AppendRecord;
using test::EntryCount;
using test::ReadBytes;
using test::Snapshot;
using test::TempFolder;

enum class Step { Open, Write, Sync, Close, Rename, Remove, Read };

const char* NameOf(Step step) {
  static const char* const names[] = {"Open", "Write", "Sync", "Close", "Rename", "Remove", "Read"};
  return names[static_cast<int>(step)];
}

// The real steps, except that one of them fails the way the system reports
// it: after doing part of its work where the real call can do that.
class FailingSteps : public FileSteps {
 public:
  explicit FailingSteps(Step step) : step_(step) {}

  long read(int fd, char* buffer, std::size_t size) override {
    if (step_ == Step::Read && readCalls_++ > 0) return Fail(EIO);
    return FileSteps::read(fd, buffer, size < 100 ? size : 100);
  }
  int open(std::string& pathTemplate) override {
    return step_ == Step::Open ? Fail(EACCES) : FileSteps::open(pathTemplate);
  }
  long write(int fd, const char* data, std::size_t size) override {
    if (step_ != Step::Write) return FileSteps::write(fd, data, size);
    if (writtenOnce_) return Fail(ENOSPC);
    writtenOnce_ = true;
    return FileSteps::write(fd, data, size / 2);
  }
  int sync(int fd) override { return step_ == Step::Sync ? Fail(EIO) : FileSteps::sync(fd); }
  int close(int fd) override {
    const int result = FileSteps::close(fd);
    return step_ == Step::Close ? Fail(EIO) : result;
  }
  int rename(const std::string& from, const std::string& to) override {
    return step_ == Step::Rename ? Fail(EXDEV) : FileSteps::rename(from, to);
  }
  int remove(const std::string& path) override {
    return step_ == Step::Remove ? Fail(EROFS) : FileSteps::remove(path);
  }

 private:
  static int Fail(int error) {
    errno = error;
    return -1;
  }
  Step step_;
  bool writtenOnce_ = false;
  int readCalls_ = 0;
};

// Writes at most a few bytes per call, as a system may under load.
class ShortWrites : public FileSteps {
 public:
  long write(int fd, const char* data, std::size_t size) override {
    return FileSteps::write(fd, data, size < 7 ? size : 7);
  }
};

RecordTable SampleTable() {
  RecordTable table;
  AppendRecord(table, "Posta", "ayse", "gizli", "");
  AppendRecord(table, "Banka", "mehmet", "çok gizli", "1234");
  return table;
}

const std::string kMaster = "ana";

class InjectedFailure : public testing::TestWithParam<Step> {
 protected:
  void SetUp() override {
    RecordTable old = SampleTable();
    SaveRecords(old, path_, MasterKey(kMaster));
    oldBytes_ = ReadBytes(path_);
  }
  TempFolder folder_;
  std::string path_ = folder_.file("data.xtr");
  std::string oldBytes_;
};

INSTANTIATE_TEST_SUITE_P(Steps, InjectedFailure,
                         testing::Values(Step::Open, Step::Write, Step::Sync, Step::Close,
                                         Step::Rename),
                         [](const auto& info) { return NameOf(info.param); });

// What the user reads for each failing step: the file, why, and what to do.
std::string ExpectedWriteMessage(Step step, const std::string& path) {
  const std::pair<Step, const char*> reasons[] = {
      {Step::Open, "erişim izni yok"},         {Step::Write, "diskte yer kalmadı"},
      {Step::Sync, "disk okuma/yazma hatası"}, {Step::Close, "disk okuma/yazma hatası"},
      {Step::Rename, "sistem hata kodu 18"},
  };
  std::string why;
  for (const auto& [s, reason] : reasons) {
    if (s == step) why = reason;
  }
  return "Veri dosyası kaydedilemedi: " + path + " (" + why +
         "). Diskte yer olduğunu ve klasöre yazma izniniz bulunduğunu kontrol edip yeniden "
         "deneyiniz; önceki dosya değiştirilmedi.";
}

TEST_P(InjectedFailure, ASaveLeavesTheOldFileAndThePlainValues) {
  RecordTable table = SampleTable();
  AppendRecord(table, "Yeni", "ali", "yeni şifre", "");
  const auto before = Snapshot(table);
  FailingSteps failing(GetParam());
  ScopedFileSteps scoped(failing);

  try {
    SaveRecords(table, path_, MasterKey(kMaster));
    FAIL() << "no error";
  } catch (const std::runtime_error& error) {
    EXPECT_EQ(std::string(error.what()), ExpectedWriteMessage(GetParam(), path_));
  }
  EXPECT_EQ(ReadBytes(path_), oldBytes_);
  EXPECT_EQ(EntryCount(folder_.path()), 1u);
  EXPECT_EQ(Snapshot(table), before);
}

// The rewrite follows the proof of the password: its failure is what the
// user hears of then. A wrong password writes nothing, so the user hears of
// the password.
TEST_P(InjectedFailure, AFailedRewriteAfterAReadLeavesTheFileAndNoProtectedForms) {
  // A blank line at the end, which the normalised form has not, makes the
  // read rewrite the file.
  oldBytes_ += "\r\n";
  test::WriteBytes(path_, oldBytes_);
  int reported = 0;
  int refreshed = 0;
  const LoadSteps steps{[&] { ++reported; }, [&] { ++refreshed; }};
  FailingSteps failing(GetParam());
  ScopedFileSteps scoped(failing);

  RecordTable table;
  try {
    LoadRecords(table, path_, MasterKey(kMaster), steps);
    FAIL() << "no error";
  } catch (const std::runtime_error& error) {
    EXPECT_EQ(std::string(error.what()), ExpectedWriteMessage(GetParam(), path_));
  }
  EXPECT_TRUE(table.isEmpty());
  EXPECT_EQ(reported, 0);
  EXPECT_THROW(LoadRecords(table, path_, MasterKey("yanlış"), steps), WrongMasterPassword);
  EXPECT_EQ(reported, 1);
  EXPECT_EQ(refreshed, 0);
  EXPECT_EQ(ReadBytes(path_), oldBytes_);
  EXPECT_EQ(EntryCount(folder_.path()), 1u);
}

// A file already in its normalised form is read without a single write
// step: it opens from a folder the user may not write to, and keeps its
// inode and its modification time.
TEST(FileFailures, ANormalisedFileIsReadWithoutWritingIt) {
  TempFolder folder;
  const std::string path = folder.file("data.xtr");
  RecordTable saved = SampleTable();
  SaveRecords(saved, path, MasterKey(kMaster));
  const std::string bytes = ReadBytes(path);
  const test::FileStamp before = test::StampOf(path);

  const struct {
    const char* name;
    void (*read)(RecordTable&, const std::string&);
  } reads[] = {
      {"ReadDataFile", [](RecordTable& t, const std::string& p) { ReadDataFile(t, p); }},
      {"LoadRecords",
       [](RecordTable& t, const std::string& p) { LoadRecords(t, p, MasterKey(kMaster), {}); }},
  };
  for (const Step step : {Step::Open, Step::Rename, Step::Remove}) {
    FailingSteps failing(step);
    ScopedFileSteps scoped(failing);
    for (const auto& read : reads) {
      SCOPED_TRACE(std::string(read.name) + " with " + NameOf(step) + " failing");
      RecordTable table;
      ASSERT_NO_THROW(read.read(table, path));
      EXPECT_EQ(table.recordCount(), 2u);
    }
  }
  EXPECT_EQ(test::StampOf(path), before);
  EXPECT_EQ(ReadBytes(path), bytes);
  EXPECT_EQ(EntryCount(folder.path()), 1u);
}

TEST(FileFailures, AFileWhoseReadFailsIsNeverWrittenOver) {
  TempFolder folder;
  const std::string path = folder.file("data.xtr");
  RecordTable table = SampleTable();
  SaveRecords(table, path, MasterKey(kMaster));
  const std::string old = ReadBytes(path);
  FailingSteps failing(Step::Read);
  ScopedFileSteps scoped(failing);

  try {
    LoadRecords(table, path, MasterKey(kMaster), {});
    FAIL() << "no error";
  } catch (const std::runtime_error& error) {
    EXPECT_EQ(std::string(error.what()),
              "Veri dosyası okunamadı: " + path +
                  " (disk okuma/yazma hatası). Dosyanın yerinde olduğunu ve okuma izniniz "
                  "bulunduğunu kontrol edip yeniden deneyiniz.");
  }
  EXPECT_TRUE(table.isEmpty());
  EXPECT_EQ(ReadBytes(path), old);
}

TEST(FileFailures, AnEmptyTableThatCannotRemoveTheFileSaysSo) {
  TempFolder folder;
  const std::string path = folder.file("data.xtr");
  RecordTable table = SampleTable();
  SaveRecords(table, path, MasterKey(kMaster));
  const std::string old = ReadBytes(path);
  FailingSteps failing(Step::Remove);
  ScopedFileSteps scoped(failing);
  RecordTable empty;

  EXPECT_THROW(SaveRecords(empty, path, MasterKey(kMaster)), std::runtime_error);
  EXPECT_EQ(ReadBytes(path), old);
}

TEST(FileFailures, ShortWritesStillWriteTheWholeFile) {
  TempFolder folder;
  const std::string path = folder.file("data.xtr");
  RecordTable table = SampleTable();
  SaveRecords(table, path, MasterKey(kMaster));
  const std::string whole = ReadBytes(path);
  ShortWrites shortWrites;
  ScopedFileSteps scoped(shortWrites);

  SaveRecords(table, path, MasterKey(kMaster));
  EXPECT_EQ(ReadBytes(path), whole);
}

TEST(FileFailures, TheFileIsReadableAndWritableByItsOwnerOnly) {
  TempFolder folder;
  const std::string path = folder.file("data.xtr");
  const mode_t oldMask = ::umask(0);
  RecordTable table = SampleTable();
  SaveRecords(table, path, MasterKey(kMaster));
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0600u);

  // Also when the read finds nothing to rewrite.
  ::chmod(path.c_str(), 0644);
  LoadRecords(table, path, MasterKey(kMaster), {});
  ::umask(oldMask);
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0600u);
}

// Failures the system produces itself, on a small file system of our own.
// Mounting needs privileges; without them these tests are skipped.
class RealFileSystem : public testing::Test {
 protected:
  void SetUp() override {
    if (::mount("tmpfs", folder_.path().c_str(), "tmpfs", 0, "size=64k,mode=0700") != 0) {
      GTEST_SKIP() << "cannot mount a small file system here: " << std::strerror(errno);
    }
    mounted_ = true;
    RecordTable old = SampleTable();
    SaveRecords(old, path_, MasterKey(kMaster));
    oldBytes_ = ReadBytes(path_);
  }
  void TearDown() override {
    if (mounted_) ::umount2(folder_.path().c_str(), MNT_DETACH);
  }
  // A remount ignores source and type; they are named all the same, since
  // memory checkers take a null there for a bad pointer.
  void MakeReadOnly() {
    ASSERT_EQ(::mount("tmpfs", folder_.path().c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr),
              0);
  }

  TempFolder folder_;
  std::string path_ = folder_.file("data.xtr");
  std::string oldBytes_;
  bool mounted_ = false;
};

TEST_F(RealFileSystem, AFullDiskLeavesTheOldFile) {
  RecordTable table = SampleTable();
  for (int i = 0; i < 200; ++i) {
    AppendRecord(table, "Kayıt " + std::to_string(i), "kullanici", "sifre", "");
    table.edit();
    table.setText(Field::AutoFillScript, std::string(500, 's'));
    table.post();
  }
  const auto before = Snapshot(table);

  EXPECT_THROW(SaveRecords(table, path_, MasterKey(kMaster)), std::runtime_error);
  EXPECT_EQ(ReadBytes(path_), oldBytes_);
  EXPECT_EQ(EntryCount(folder_.path()), 1u);
  EXPECT_EQ(Snapshot(table), before);
}

TEST_F(RealFileSystem, AReadOnlyFolderLeavesTheOldFile) {
  MakeReadOnly();
  RecordTable table = SampleTable();
  AppendRecord(table, "Yeni", "ali", "yeni", "");
  const auto before = Snapshot(table);

  EXPECT_THROW(SaveRecords(table, path_, MasterKey(kMaster)), std::runtime_error);
  EXPECT_EQ(Snapshot(table), before);
  RecordTable empty;
  EXPECT_THROW(SaveRecords(empty, path_, MasterKey(kMaster)), std::runtime_error);
  EXPECT_EQ(ReadBytes(path_), oldBytes_);

  // The file as the program wrote it opens all the same; the user can read
  // and copy the passwords, only not change them.
  LoadRecords(table, path_, MasterKey(kMaster), {});
  EXPECT_EQ(table.recordCount(), 2u);
  EXPECT_EQ(ReadBytes(path_), oldBytes_);
}

// A file that needs its rewrite cannot have it on a read-only disk; the read
// says so and keeps nothing of what it read.
TEST_F(RealFileSystem, AReadOnlyFolderRefusesAReadThatMustRewrite) {
  std::string edited = oldBytes_;
  edited.insert(edited.find("ALAN2="), "; bir not\r\n");
  test::WriteBytes(path_, edited);
  MakeReadOnly();
  RecordTable table;
  EXPECT_THROW(LoadRecords(table, path_, MasterKey(kMaster), {}), std::runtime_error);
  EXPECT_TRUE(table.isEmpty());
  EXPECT_EQ(ReadBytes(path_), edited);
}

}  // namespace
}  // namespace quilor
