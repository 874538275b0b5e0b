#include <gtest/gtest.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "ProcessHardening.h"
#include "ScratchFolder.h"
#include "SingleInstance.h"

namespace quilor {
namespace {

using test::ScratchFolder;

// Runs body in a child process and returns its exit code.
template <typename Body>
int InChild(Body body) {
  const pid_t pid = fork();
  if (pid == 0) _exit(body());
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A copy of the program, as far as the guard goes, in a process of its own
// that keeps what it got until it is killed.
class Copy {
 public:
  Copy(const LockFolderPlaces& places, const std::string& session, const std::string& dataFile) {
    int ready[2];
    if (pipe(ready) != 0) throw std::runtime_error("pipe failed");
    pid_ = fork();
    if (pid_ == 0) {
      char outcome = 'e';
      try {
        const SingleInstance guard(places, session, dataFile);
        outcome = guard.acquired() ? 'y' : 'n';
        (void)!write(ready[1], &outcome, 1);
        pause();
      } catch (...) {
        (void)!write(ready[1], &outcome, 1);
      }
      _exit(0);
    }
    char outcome = 'e';
    (void)!read(ready[0], &outcome, 1);
    close(ready[0]);
    close(ready[1]);
    if (outcome == 'e') throw std::runtime_error("the copy could not use its lock folder");
    acquired_ = outcome == 'y';
  }
  ~Copy() { kill(); }

  bool acquired() const { return acquired_; }
  void kill() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }

 private:
  pid_t pid_ = -1;
  bool acquired_ = false;
};

LockFolderPlaces PlacesIn(const ScratchFolder& scratch) {
  return {geteuid(), scratch.path("run-user"), scratch.path("tmp-quilor")};
}

TEST(SingleInstance, ASecondCopyIsRefusedInTheSameSessionOrOnTheSameDataFile) {
  struct Case {
    const char* name;
    const char* session;
    const char* dataFile;
    bool acquired;
  };
  const std::vector<Case> cases = {
      {"same session, same data file", "S1", "F1", false},
      {"same session, another data file", "S1", "F2", false},
      {"another session, same data file", "S2", "F1", false},
      {"another session, another data file", "S2", "F2", true},
  };
  ScratchFolder scratch;
  const LockFolderPlaces places = PlacesIn(scratch);
  const Copy first(places, "S1", "F1");
  ASSERT_TRUE(first.acquired());
  for (const Case& c : cases) {
    EXPECT_EQ(Copy(places, c.session, c.dataFile).acquired(), c.acquired) << c.name;
  }
}

TEST(SingleInstance, ARefusedCopyHoldsNothingWhileItShowsItsNotice) {
  ScratchFolder scratch;
  const LockFolderPlaces places = PlacesIn(scratch);
  const Copy first(places, "S1", "F1");
  const Copy refused(places, "S2", "F1");
  ASSERT_FALSE(refused.acquired());
  EXPECT_TRUE(Copy(places, "S2", "F2").acquired());
}

TEST(SingleInstance, EverythingIsFreeAgainAfterTheHolderWasKilled) {
  ScratchFolder scratch;
  const LockFolderPlaces places = PlacesIn(scratch);
  Copy first(places, "S1", "F1");
  ASSERT_TRUE(first.acquired());
  first.kill();
  EXPECT_TRUE(Copy(places, "S1", "F1").acquired());
}

TEST(ProcessHardening, NoCoreDumpCanBeWritten) {
  EXPECT_EQ(InChild([] {
              DisableCoreDumps();
              rlimit core{};
              getrlimit(RLIMIT_CORE, &core);
              return core.rlim_cur == 0 && core.rlim_max == 0 && prctl(PR_GET_DUMPABLE) == 0 ? 0
                                                                                             : 1;
            }),
            0);
}

}  // namespace
}  // namespace quilor
