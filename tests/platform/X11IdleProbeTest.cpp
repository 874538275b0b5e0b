// The idle time the X server counts, read while nothing happens and after
// another client moves the mouse.
#include <gtest/gtest.h>

#include <QTest>

#include "DesktopTools.h"
#include "IdleProbe.h"

namespace quilor {
namespace {

TEST(IdleProbe, GrowsWithoutInputAndDropsAfterTheMouseMoves) {
  auto probe = MakeIdleProbe();
  ASSERT_TRUE(probe->available());
  ASSERT_TRUE(test::RunTool("xdotool", {"mousemove", "10", "10"}));

  const std::uint32_t first = probe->idleMilliseconds();
  std::uint32_t later = first;
  ASSERT_TRUE(QTest::qWaitFor(
      [&] {
        later = probe->idleMilliseconds();
        return later > first + 500;
      },
      10000));

  ASSERT_TRUE(test::RunTool("xdotool", {"mousemove", "200", "200"}));
  EXPECT_TRUE(QTest::qWaitFor([&] { return probe->idleMilliseconds() < later; }, 10000));
}

}  // namespace
}  // namespace quilor
