#include <gtest/gtest.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QString>

#include "ProcessHardening.h"
#include "SingleInstance.h"

namespace quilor {
namespace {

// A private name per test run, so a real copy of the program never interferes.
// Made before any test forks, so children see the parent's name.
const QString kGuardName = QStringLiteral("QuilorTest-%1").arg(getpid());
const QString& TestGuardName() { return kGuardName; }

// Runs body in a child process and returns its exit code.
template <typename Body>
int InChild(Body body) {
  const pid_t pid = fork();
  if (pid == 0) _exit(body());
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(SingleInstance, ASecondProcessIsRefusedWhileTheFirstHoldsTheGuard) {
  const SingleInstance first(TestGuardName());
  ASSERT_TRUE(first.acquired());
  EXPECT_EQ(InChild([] { return SingleInstance(TestGuardName()).acquired() ? 1 : 0; }), 0);
}

TEST(SingleInstance, TheGuardIsFreeAgainAfterItsHolderWasKilled) {
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  const pid_t holder = fork();
  if (holder == 0) {
    const SingleInstance guard(TestGuardName());
    const char ok = guard.acquired() ? 'y' : 'n';
    (void)!write(ready[1], &ok, 1);
    pause();
    _exit(0);
  }
  char ok = 0;
  ASSERT_EQ(read(ready[0], &ok, 1), 1);
  ASSERT_EQ(ok, 'y');
  EXPECT_FALSE(SingleInstance(TestGuardName()).acquired());

  kill(holder, SIGKILL);
  waitpid(holder, nullptr, 0);
  EXPECT_TRUE(SingleInstance(TestGuardName()).acquired());
  close(ready[0]);
  close(ready[1]);
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
