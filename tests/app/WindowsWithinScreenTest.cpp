// Where a window goes so that all of it, frame included, is on the screen.
#include <gtest/gtest.h>

#include "WindowsWithinScreen.h"

namespace quilor {
namespace {

TEST(FitWithin, ShrinksAndMovesAWindowIntoTheAvailableArea) {
  const QRect screen(0, 0, 683, 384);  // 1366x768 at a scale factor of 2
  const QMargins frame(1, 12, 1, 1);
  const struct {
    const char* name;
    QRect window;
    QSize minimum;
    QRect fitted;
  } cases[] = {
      {"fits as it is", {100, 50, 400, 300}, {200, 100}, {100, 50, 400, 300}},
      {"too big: shrunk to the area", {0, 0, 1000, 650}, {300, 200}, {1, 12, 681, 371}},
      {"off the right and bottom edges", {500, 300, 300, 100}, {50, 50}, {382, 283, 300, 100}},
      {"above the top: the title bar comes back", {-40, -30, 200, 100}, {}, {1, 12, 200, 100}},
      {"minimum too big: the title bar stays on screen",
       {0, 0, 900, 500},
       {700, 400},
       {1, 12, 700, 400}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FitWithin(c.window, frame, screen, c.minimum), c.fitted) << c.name;
  }
  // The area need not start at the origin (a panel on the left or on top).
  EXPECT_EQ(FitWithin({0, 0, 800, 500}, frame, {40, 30, 683, 384}, {}), QRect(41, 42, 681, 371));
}

}  // namespace
}  // namespace quilor
