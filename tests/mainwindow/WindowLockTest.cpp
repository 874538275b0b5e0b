// The lock state of the main window, walked through the user's ways between
// shown, the tray and the master password asked again.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "WindowLock.h"

namespace quilor {
namespace {

using State = WindowLock::State;

struct Step {
  std::string event;
  State after;
  bool windowShown;
  bool trayIconShown;
  bool passwordAsked = false;  // "ask" only: whether the password is to be asked now
};

void Walk(const std::vector<Step>& steps) {
  WindowLock lock;
  int n = 0;
  for (const Step& step : steps) {
    SCOPED_TRACE(std::to_string(++n) + ": " + step.event);
    if (step.event == "login") lock.loggedIn(false);
    if (step.event == "login and hide") lock.loggedIn(true);
    if (step.event == "hide") lock.hide();
    if (step.event == "ask") {
      EXPECT_EQ(lock.beginReAuthentication(), step.passwordAsked);
    }
    if (step.event == "right password") lock.endReAuthentication(true);
    if (step.event == "cancelled") lock.endReAuthentication(false);
    EXPECT_EQ(lock.state(), step.after);
    EXPECT_EQ(lock.windowShown(), step.windowShown);
    EXPECT_EQ(lock.trayIconShown(), step.trayIconShown);
  }
}

TEST(WindowLock, NothingButTheLoginLeavesTheStateBeforeIt) {
  Walk({
      {"hide", State::BeforeLogin, false, false},
      {"ask", State::BeforeLogin, false, false, false},
      {"right password", State::BeforeLogin, false, false},
      {"login", State::Shown, true, false},
      {"login and hide", State::Shown, true, false},
  });
}

TEST(WindowLock, TheTrayGivesTheWindowBackOnlyForTheRightPassword) {
  Walk({
      {"login", State::Shown, true, false},
      {"ask", State::Shown, true, false, false},
      {"hide", State::Hidden, false, true},
      {"ask", State::ReAuthenticating, false, true, true},
      {"ask", State::ReAuthenticating, false, true, false},
      {"hide", State::ReAuthenticating, false, true},
      {"cancelled", State::Hidden, false, true},
      {"ask", State::ReAuthenticating, false, true, true},
      {"right password", State::Shown, true, false},
      {"cancelled", State::Shown, true, false},
  });
}

TEST(WindowLock, LoginAndHideGoesStraightToTheTray) {
  Walk({
      {"login and hide", State::Hidden, false, true},
      {"ask", State::ReAuthenticating, false, true, true},
      {"right password", State::Shown, true, false},
  });
}

}  // namespace
}  // namespace quilor
