// The idle lock with a probe whose idle time the test sets: a shown window
// is locked after more than a minute without input, a hidden one is left
// alone and its idle time is not even read.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <memory>

#include "IdleLock.h"

namespace quilor {
namespace {

struct ProbeState {
  bool available = true;
  std::uint32_t idle = 0;
  int reads = 0;
};

class SetIdleProbe final : public IdleProbe {
 public:
  explicit SetIdleProbe(ProbeState& state) : state_(state) {}
  bool available() const override { return state_.available; }
  std::uint32_t idleMilliseconds() override {
    ++state_.reads;
    return state_.idle;
  }

 private:
  ProbeState& state_;
};

TEST(IdleLock, LocksAShownWindowOnlyAfterMoreThanAMinuteWithoutInput) {
  struct Case {
    bool windowShown;
    std::uint32_t idle;
    bool locks;
    int reads;
  };
  const Case cases[] = {
      {true, 0, false, 1},         {true, 60000, false, 1},       {true, 60001, true, 1},
      {true, 0xFFFFFFFF, true, 1}, {false, 0xFFFFFFFF, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.idle << (c.windowShown ? " shown" : " hidden"));
    ProbeState probe{true, c.idle};
    IdleLock lock(std::make_unique<SetIdleProbe>(probe), [&] { return c.windowShown; });
    QSignalSpy locked(&lock, &IdleLock::idleTooLong);
    lock.check();
    EXPECT_EQ(locked.count(), c.locks ? 1 : 0);
    EXPECT_EQ(probe.reads, c.reads);
  }
}

TEST(IdleLock, TellsWhetherTheDesktopKnowsTheIdleTimeAndChecksEveryHalfSecond) {
  for (bool available : {true, false}) {
    ProbeState probe{available};
    IdleLock lock(std::make_unique<SetIdleProbe>(probe), [] { return true; });
    EXPECT_EQ(lock.available(), available);
    EXPECT_EQ(lock.interval(), 500);
    EXPECT_FALSE(lock.isActive());
    lock.setActive(true);
    EXPECT_TRUE(lock.isActive());
    lock.setActive(false);
    EXPECT_FALSE(lock.isActive());
  }
}

}  // namespace
}  // namespace quilor
