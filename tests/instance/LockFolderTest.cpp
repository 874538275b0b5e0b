// Where a user's locks live, which folders are refused, and how the locks
// behave between real processes.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "Files.h"
#include "LockFolder.h"

namespace quilor {
namespace {

using test::TempFolder;
namespace fs = std::filesystem;

constexpr uid_t kNobody = 65534;

LockFolderPlaces PlacesIn(const TempFolder& scratch) {
  return {::geteuid(), scratch.file("run-user"), scratch.file("tmp-quilor")};
}

mode_t ModeOf(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

void MakeFolder(const std::string& path, mode_t mode) {
  ASSERT_EQ(::mkdir(path.c_str(), 0700), 0) << path;
  ASSERT_EQ(::chmod(path.c_str(), mode), 0) << path;
}

struct PlaceCase {
  const char* name;
  std::function<void(const TempFolder&)> setUp;
  const char* expectedFolder;
};

void ExpectChosen(const std::vector<PlaceCase>& cases) {
  for (const PlaceCase& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder scratch;
    c.setUp(scratch);
    const LockFolder folder = LockFolder::Open(PlacesIn(scratch));
    EXPECT_EQ(folder.path(), scratch.file(c.expectedFolder));
    EXPECT_EQ(ModeOf(folder.path()), 0700u);
    EXPECT_TRUE(folder.tryLock("probe.lock").has_value());
  }
}

struct RefusalCase {
  const char* name;
  std::function<void(const TempFolder&)> setUp;
  const char* message;
};

// A refused temp folder is left as it was: no lock file appears in it.
void ExpectRefused(const std::vector<RefusalCase>& cases) {
  for (const RefusalCase& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder scratch;
    c.setUp(scratch);
    const std::string tempFolder = scratch.file("tmp-quilor");
    const mode_t modeBefore = ModeOf(tempFolder);
    try {
      LockFolder::Open(PlacesIn(scratch));
      ADD_FAILURE() << "the folder was used";
    } catch (const LockError& error) {
      EXPECT_EQ(std::string(error.what()), std::string(c.message) + tempFolder);
    }
    EXPECT_EQ(ModeOf(tempFolder), modeBefore);
    if (fs::is_directory(fs::symlink_status(tempFolder))) {
      EXPECT_TRUE(fs::is_empty(tempFolder));
    }
  }
}

TEST(LockFolder, IsTheLoginRuntimeFolderWhenPrivateElseAPrivateTempFolder) {
  ExpectChosen({
      {"no runtime folder", [](const TempFolder&) {}, "tmp-quilor"},
      {"private runtime folder", [](const TempFolder& s) { MakeFolder(s.file("run-user"), 0700); },
       "run-user/quilor"},
      {"runtime folder open to others",
       [](const TempFolder& s) { MakeFolder(s.file("run-user"), 0755); }, "tmp-quilor"},
      {"runtime folder is a link to a private folder",
       [](const TempFolder& s) {
         MakeFolder(s.file("real"), 0700);
         fs::create_directory_symlink(s.file("real"), s.file("run-user"));
       },
       "tmp-quilor"},
      {"temp folder left by an earlier run",
       [](const TempFolder& s) { MakeFolder(s.file("tmp-quilor"), 0700); }, "tmp-quilor"},
  });
}

TEST(LockFolder, ATempFolderOthersCouldEnterOrSwapIsRefused) {
  ExpectRefused({
      {"open to others", [](const TempFolder& s) { MakeFolder(s.file("tmp-quilor"), 0755); },
       "Kilit klasörüne başka kullanıcılar da erişebiliyor (izinleri 0700 olmalı): "},
      {"a link to a private folder",
       [](const TempFolder& s) {
         MakeFolder(s.file("real"), 0700);
         fs::create_directory_symlink(s.file("real"), s.file("tmp-quilor"));
       },
       "Kilit klasörünün yerinde klasör olmayan bir şey var: "},
      {"a file", [](const TempFolder& s) { std::ofstream(s.file("tmp-quilor")) << "x"; },
       "Kilit klasörünün yerinde klasör olmayan bir şey var: "},
  });
}

TEST(LockFolder, FoldersOfAnotherUserAreNeverUsed) {
  if (::geteuid() != 0) GTEST_SKIP() << "giving a folder to another user needs root";
  ExpectChosen({
      {"runtime folder of another user",
       [](const TempFolder& s) {
         MakeFolder(s.file("run-user"), 0700);
         ASSERT_EQ(::chown(s.file("run-user").c_str(), kNobody, kNobody), 0);
       },
       "tmp-quilor"},
  });
  ExpectRefused({
      {"temp folder made first by another user",
       [](const TempFolder& s) {
         MakeFolder(s.file("tmp-quilor"), 0700);
         ASSERT_EQ(::chown(s.file("tmp-quilor").c_str(), kNobody, kNobody), 0);
       },
       "Kilit klasörü başka bir kullanıcıya ait: "},
  });

  // Seen by a user who is not root, another user's private folder cannot even
  // be opened; the message still says whose it is.
  TempFolder scratch;
  ASSERT_EQ(::chmod(scratch.path().c_str(), 0711), 0);
  MakeFolder(scratch.file("tmp-quilor"), 0700);
  const pid_t child = ::fork();
  if (child == 0) {
    if (::setuid(kNobody) != 0) ::_exit(2);
    try {
      LockFolder::Open({kNobody, scratch.file("run-user"), scratch.file("tmp-quilor")});
    } catch (const LockError& error) {
      ::_exit(std::string(error.what()) ==
                      "Kilit klasörü başka bir kullanıcıya ait: " + scratch.file("tmp-quilor")
                  ? 0
                  : 3);
    }
    ::_exit(1);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
}

// Another process that takes a lock and keeps it until it is killed. With
// startProgram it also starts a long-running program first, as the
// application starts a browser, and the program outlives it.
class Holder {
 public:
  Holder(const LockFolderPlaces& places, const std::string& name, bool startProgram = false) {
    int report[2];
    if (::pipe(report) != 0) throw std::runtime_error("pipe failed");
    pid_ = ::fork();
    if (pid_ == 0) {
      ::close(report[0]);
      Report answer{'e', 0};
      try {
        const LockFolder folder = LockFolder::Open(places);
        std::optional<HeldLock> lock = folder.tryLock(name);
        if (lock && startProgram) answer.program = StartProgram();
        answer.outcome = lock ? 'y' : 'n';
        (void)!::write(report[1], &answer, sizeof answer);
        ::pause();
      } catch (...) {
        (void)!::write(report[1], &answer, sizeof answer);
      }
      ::_exit(0);
    }
    ::close(report[1]);
    if (::read(report[0], &report_, sizeof report_) != sizeof report_) report_ = {'e', 0};
    ::close(report[0]);
  }
  ~Holder() {
    kill();
    if (report_.program > 0) {
      ::kill(report_.program, SIGKILL);
      ::waitpid(report_.program, nullptr, 0);
    }
  }

  bool holds() const { return report_.outcome == 'y'; }
  pid_t program() const { return report_.program; }
  void kill() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }

 private:
  struct Report {
    char outcome;
    pid_t program;
  };

  // Returns once the program runs: until its exec the forked child still
  // shares the lock like any copy of the descriptor would. The exec closes
  // the close-on-exec end of a pipe, which ends the read here.
  static pid_t StartProgram() {
    int started[2];
    if (::pipe2(started, O_CLOEXEC) != 0) return -1;
    const pid_t program = ::fork();
    if (program == 0) {
      ::execlp("sleep", "sleep", "60", static_cast<char*>(nullptr));
      ::_exit(127);
    }
    ::close(started[1]);
    char ignored;
    while (::read(started[0], &ignored, 1) > 0) {
    }
    ::close(started[0]);
    return program;
  }

  pid_t pid_ = -1;
  Report report_{'e', 0};
};

TEST(Locks, OneProcessAtATimeAndFreeAgainWhenItIsKilled) {
  TempFolder scratch;
  const LockFolderPlaces places = PlacesIn(scratch);
  Holder holder(places, "one.lock");
  ASSERT_TRUE(holder.holds());

  const LockFolder folder = LockFolder::Open(places);
  EXPECT_FALSE(folder.tryLock("one.lock").has_value());
  EXPECT_TRUE(folder.tryLock("other.lock").has_value());
  EXPECT_FALSE(Holder(places, "one.lock").holds());

  holder.kill();
  EXPECT_TRUE(folder.tryLock("one.lock").has_value());
}

TEST(Locks, AProgramStartedByTheHolderDoesNotKeepTheLock) {
  TempFolder scratch;
  const LockFolderPlaces places = PlacesIn(scratch);
  Holder holder(places, "one.lock", true);
  ASSERT_TRUE(holder.holds());
  ASSERT_GT(holder.program(), 0);

  holder.kill();
  ASSERT_EQ(::kill(holder.program(), 0), 0) << "the started program should still run";
  EXPECT_TRUE(LockFolder::Open(places).tryLock("one.lock").has_value());
}

}  // namespace
}  // namespace quilor
