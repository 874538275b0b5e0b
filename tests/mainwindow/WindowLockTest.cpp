// The lock state of the main window, walked through the user's ways between
// shown, the tray, the master password asked again, and auto-fill.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "WindowLock.h"

namespace quilor {
namespace {

using State = WindowLock::State;
using AutoFill = WindowLock::AutoFill;

struct Step {
  std::string event;
  State after;
  // "double-click": whether the password is to be asked now.
  std::optional<bool> asks = {};
  // "auto-fill": what the request is to do.
  std::optional<AutoFill> autoFill = {};
};

void Walk(const std::vector<Step>& steps) {
  WindowLock lock;
  int n = 0;
  for (const Step& step : steps) {
    SCOPED_TRACE(std::to_string(++n) + ": " + step.event);
    if (step.event == "login") {
      lock.loggedIn(false);
    } else if (step.event == "login and hide") {
      lock.loggedIn(true);
    } else if (step.event == "hide") {
      lock.hide();
    } else if (step.event == "double-click") {
      EXPECT_EQ(lock.beginReAuthentication(), step.asks.value());
    } else if (step.event == "right password") {
      lock.endReAuthentication(true);
    } else if (step.event == "cancelled") {
      lock.endReAuthentication(false);
    } else if (step.event == "auto-fill") {
      EXPECT_EQ(lock.beginAutoFill(), step.autoFill.value());
    } else if (step.event == "auto-fill done") {
      lock.endAutoFill();
    } else {
      FAIL() << "unknown event";
    }
    EXPECT_EQ(lock.state(), step.after);
    const bool shown = step.after == State::Shown;
    const bool inTray = step.after != State::Shown && step.after != State::BeforeLogin;
    EXPECT_EQ(lock.windowShown(), shown);
    EXPECT_EQ(lock.trayIconShown(), inTray);
  }
}

TEST(WindowLock, NothingButTheLoginLeavesTheStateBeforeIt) {
  Walk({
      {"hide", State::BeforeLogin},
      {"double-click", State::BeforeLogin, false},
      {"right password", State::BeforeLogin},
      {"auto-fill", State::BeforeLogin, {}, AutoFill::Ignore},
      {"auto-fill done", State::BeforeLogin},
      {"login", State::Shown},
      {"login and hide", State::Shown},
  });
}

TEST(WindowLock, TheTrayGivesTheWindowBackOnlyForTheRightPassword) {
  Walk({
      {"login", State::Shown},
      {"double-click", State::Shown, false},
      {"hide", State::Hidden},
      {"double-click", State::ReAuthenticating, true},
      // A second double-click, or the hot key, while the password is asked.
      {"double-click", State::ReAuthenticating, false},
      {"auto-fill", State::ReAuthenticating, {}, AutoFill::Ignore},
      {"hide", State::ReAuthenticating},
      {"cancelled", State::Hidden},
      {"double-click", State::ReAuthenticating, true},
      {"right password", State::Shown},
      {"cancelled", State::Shown},
  });
}

TEST(WindowLock, LoginAndHideGoesStraightToTheTray) {
  Walk({
      {"login and hide", State::Hidden},
      {"double-click", State::ReAuthenticating, true},
      {"right password", State::Shown},
  });
}

TEST(WindowLock, AutoFillOpensAtOnceWhenShownAndAfterThePasswordWhenHidden) {
  Walk({
      {"login", State::Shown},
      {"auto-fill", State::Shown, {}, AutoFill::Open},
      {"auto-fill done", State::Shown},
      {"hide", State::Hidden},
      {"auto-fill", State::UnlockingAutoFill, {}, AutoFill::AskPasswordFirst},
      // Until the auto-fill dialog has closed, neither way in asks again.
      {"auto-fill", State::UnlockingAutoFill, {}, AutoFill::Ignore},
      {"double-click", State::UnlockingAutoFill, false},
      {"right password", State::UnlockingAutoFill},
      {"hide", State::UnlockingAutoFill},
      // The window stays in the tray whatever the password was.
      {"auto-fill done", State::Hidden},
      {"auto-fill", State::UnlockingAutoFill, {}, AutoFill::AskPasswordFirst},
      {"auto-fill done", State::Hidden},
      {"double-click", State::ReAuthenticating, true},
      {"auto-fill done", State::ReAuthenticating},
      {"right password", State::Shown},
  });
}

}  // namespace
}  // namespace quilor
