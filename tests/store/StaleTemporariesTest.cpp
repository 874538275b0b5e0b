// What a write killed midway leaves beside the data file is removed by the
// next writer, and nothing else is.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <regex>
#include <set>
#include <string>

#include "DataFile.h"
#include "FileSteps.h"
#include "StaleTemporaries.h"
#include "StoreTestSupport.h"

namespace quilor {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

// Writes half of the new content, tells the parent through a pipe and waits
// there for good: the parent kills the process at that very point.
class StopMidWrite : public FileSteps {
 public:
  explicit StopMidWrite(int tellFd) : tellFd_(tellFd) {}
  long write(int fd, const char* data, std::size_t size) override {
    FileSteps::write(fd, data, size / 2);
    const char written = 'w';
    ::write(tellFd_, &written, 1);
    for (;;) ::pause();
  }

 private:
  int tellFd_;
};

RecordTable OneRecord(const std::string& title) {
  RecordTable table;
  table.append();
  table.setText(Field::Title, title);
  table.setText(Field::Password, "korunmuş biçim");
  table.post();
  return table;
}

// Replaces the file at path in a child process that is killed with SIGKILL
// in the middle of writing the new content.
void KillDuringAWrite(const std::string& path) {
  int pipeFds[2];
  ASSERT_EQ(::pipe(pipeFds), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::close(pipeFds[0]);
    StopMidWrite stop(pipeFds[1]);
    ScopedFileSteps scoped(stop);
    RecordTable table = OneRecord("yeni");
    WriteDataFile(table, path);
    ::_exit(1);
  }
  ::close(pipeFds[1]);
  pollfd wait{pipeFds[0], POLLIN, 0};
  const bool writing = ::poll(&wait, 1, 60000) == 1;
  ::kill(child, SIGKILL);
  int status = 0;
  ::waitpid(child, &status, 0);
  ::close(pipeFds[0]);
  ASSERT_TRUE(writing) << "the child never reached its write";
  ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << status;
}

std::set<std::string> Entries(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

TEST(StaleTemporaries, AWriteKilledMidwayLeavesATemporaryThatTheNextWriterRemoves) {
  TempFolder folder;
  const std::string path = folder.file("data.xtr");
  RecordTable old = OneRecord("eski");
  WriteDataFile(old, path);
  const std::string oldBytes = ReadBytes(path);

  KillDuringAWrite(path);
  KillDuringAWrite(path);

  std::set<std::string> left = Entries(folder.path());
  ASSERT_EQ(left.size(), 3u);
  left.erase("data.xtr");
  for (const std::string& name : left) {
    EXPECT_TRUE(std::regex_match(name, std::regex(R"(data\.xtr\.quilor-tmp-[A-Za-z0-9]{6})")))
        << name;
  }
  EXPECT_EQ(ReadBytes(path), oldBytes);

  RemoveStaleTemporaries(path);
  EXPECT_EQ(Entries(folder.path()), std::set<std::string>{"data.xtr"});
  EXPECT_EQ(ReadBytes(path), oldBytes);
}

// Leftovers of the data file's own writes go; everything else that merely
// looks like one stays: other names, a user's "data.xtr.backup", another
// data file's temporaries, links, folders, a staging folder with someone
// else's file in it, and (where the test may make one) another user's file.
// The data file is reached through a link, as from a synchronised folder:
// the temporaries are those beside the file the link points to.
TEST(StaleTemporaries, OnlyTheDataFilesOwnLeftoversAreRemoved) {
  TempFolder folder;
  TempFolder elsewhere;
  const std::string path = folder.file("data.xtr");
  WriteBytes(path, "[RecNo1]\r\n");
  const std::string link = elsewhere.file("data.xtr");
  fs::create_symlink(path, link);
  const std::string outside = elsewhere.file("hedef");
  WriteBytes(outside, "başka bir dosya");
  fs::create_directory(elsewhere.file("hedef klasör"));
  WriteBytes(elsewhere.file("hedef klasör/data.xtr"), "x");

  // Removed: two leftover files and two staging folders that hold only
  // what the tool stages.
  for (const char* name : {"data.xtr.quilor-tmp-Ab3dE9", "data.xtr.quilor-tmp-000000"}) {
    WriteBytes(folder.file(name), "[RecNo1]\r\nALAN1=");
  }
  fs::create_directory(folder.file(".data.xtr.quilor-cli-Q1w2E3"));
  WriteBytes(folder.file(".data.xtr.quilor-cli-Q1w2E3/data.xtr"), "[RecNo1]\r\n");
  WriteBytes(folder.file(".data.xtr.quilor-cli-Q1w2E3/data.xtr.quilor-tmp-x1Y2z3"), "[Rec");
  fs::create_directory(folder.file(".data.xtr.quilor-cli-zzzzzz"));

  std::set<std::string> kept = {
      "data.xtr",
      "data.xtr.backup",
      "data.xtr.yedek1",
      "data.xtr.quilor-tmp-abc",
      "data.xtr.quilor-tmp-abcdefg",
      "data.xtr.quilor-tmp-ab_de.",
      "diger.xtr.quilor-tmp-Ab3dE9",
      "data.xtr.quilor-cli-Ab3dE9",
      "notlar.txt",
  };
  for (const std::string& name : kept) {
    if (name != "data.xtr") WriteBytes(folder.file(name), "kalmalı");
  }
  fs::create_symlink(outside, folder.file("data.xtr.quilor-tmp-Link01"));
  fs::create_directory(folder.file("data.xtr.quilor-tmp-Dir001"));
  fs::create_directory(folder.file(".data.xtr.quilor-cli-Notes1"));
  WriteBytes(folder.file(".data.xtr.quilor-cli-Notes1/data.xtr"), "x");
  WriteBytes(folder.file(".data.xtr.quilor-cli-Notes1/notlar.txt"), "kalmalı");
  fs::create_symlink(elsewhere.file("hedef klasör"), folder.file(".data.xtr.quilor-cli-Link02"));
  fs::create_directory(folder.file(".diger.xtr.quilor-cli-Ab3dE9"));
  kept.insert({"data.xtr.quilor-tmp-Link01", "data.xtr.quilor-tmp-Dir001",
               ".data.xtr.quilor-cli-Notes1", ".data.xtr.quilor-cli-Link02",
               ".diger.xtr.quilor-cli-Ab3dE9"});
  if (::geteuid() == 0) {
    const std::string foreign = folder.file("data.xtr.quilor-tmp-Other1");
    WriteBytes(foreign, "başka kullanıcının");
    ASSERT_EQ(::chown(foreign.c_str(), 4321, 4321), 0);
    kept.insert("data.xtr.quilor-tmp-Other1");
  }

  RemoveStaleTemporaries(link);

  EXPECT_EQ(Entries(folder.path()), kept);
  EXPECT_EQ(ReadBytes(folder.file(".data.xtr.quilor-cli-Notes1/notlar.txt")), "kalmalı");
  EXPECT_EQ(ReadBytes(folder.file(".data.xtr.quilor-cli-Notes1/data.xtr")), "x");
  EXPECT_EQ(ReadBytes(outside), "başka bir dosya");
  EXPECT_EQ(ReadBytes(elsewhere.file("hedef klasör/data.xtr")), "x");
  EXPECT_TRUE(fs::is_symlink(link));
}

}  // namespace
}  // namespace quilor
