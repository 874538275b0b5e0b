// Ctrl+Alt+D on a real X server under openbox, pressed by another client
// (xdotool), with the locks on, inside a modal dialog, against a second
// grabber and across keyboard mapping changes.
#include <gtest/gtest.h>

#include <QDialog>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "DesktopTools.h"
#include "GlobalHotKey.h"

// X's macros (None, KeyPress...) clash with Qt's names: after Qt.
#include <X11/X.h>

namespace quilor {
namespace {

using test::LockIsOn;
using test::OtherClient;
using test::RunTool;

constexpr int kDeliveryWait = 5000;

class HotKeyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    hotKey_ = MakeGlobalHotKey();
    ASSERT_TRUE(hotKey_->registerHotKey([this] {
      ++presses_;
      if (onPress_) onPress_();
    }));
  }

  void TearDown() override { restoreKeyboard(); }

  // Every test leaves the keyboard as it found it: us layout, locks off.
  static void restoreKeyboard() {
    RunTool("setxkbmap", {"us"});
    if (LockIsOn("Caps Lock")) RunTool("xdotool", {"key", "Caps_Lock"});
    if (LockIsOn("Num Lock")) RunTool("xdotool", {"key", "Num_Lock"});
  }

  // Sends the combination as another program's user would and waits, within
  // a bound, for it to arrive.
  bool pressReaches(int wait = kDeliveryWait) {
    const int before = presses_;
    if (!RunTool("xdotool", {"key", "ctrl+alt+d"})) return false;
    return QTest::qWaitFor([&] { return presses_ > before; }, wait);
  }

  // The server reports a new mapping asynchronously; a press sent before our
  // new grabs exist is lost, so it is sent again, a bounded number of times.
  bool pressEventuallyReaches() {
    for (int attempt = 0; attempt < 10; ++attempt) {
      if (pressReaches(1000)) return true;
    }
    return false;
  }

  std::unique_ptr<GlobalHotKey> hotKey_;
  int presses_ = 0;
  std::function<void()> onPress_;
};

TEST_F(HotKeyTest, ArrivesWhateverLockIsOn) {
  struct Case {
    const char* lockKey;
    const char* lock;
  };
  const Case cases[] = {{nullptr, nullptr}, {"Num_Lock", "Num Lock"}, {"Caps_Lock", "Caps Lock"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lock != nullptr ? c.lock : "no lock");
    if (c.lockKey != nullptr) {
      ASSERT_TRUE(RunTool("xdotool", {"key", c.lockKey}));
      ASSERT_TRUE(LockIsOn(c.lock));
    }
    EXPECT_TRUE(pressReaches());
    if (c.lockKey != nullptr) {
      ASSERT_TRUE(RunTool("xdotool", {"key", c.lockKey}));
    }
  }
}

// Held down, the keys repeat (the server repeats XTest keys too); that is
// still one press. Letting go of Ctrl before D must not swallow the next one.
TEST_F(HotKeyTest, HoldingTheKeysIsOnePress) {
  ASSERT_TRUE(RunTool("xdotool", {"keydown", "ctrl+alt+d"}));
  ASSERT_TRUE(QTest::qWaitFor([&] { return presses_ == 1; }, kDeliveryWait));
  QTest::qWait(1500);  // long past the repeat delay
  ASSERT_TRUE(RunTool("xdotool", {"keyup", "ctrl+alt"}));
  ASSERT_TRUE(RunTool("xdotool", {"keyup", "d"}));
  EXPECT_EQ(presses_, 1);
  EXPECT_TRUE(pressReaches());
  EXPECT_EQ(presses_, 2);
}

TEST_F(HotKeyTest, ArrivesWhileAModalDialogRuns) {
  QDialog dialog;
  dialog.setWindowTitle("modal");
  bool arrivedWhileModal = false;
  onPress_ = [&] {
    arrivedWhileModal = dialog.isVisible();
    dialog.accept();
  };
  QTimer::singleShot(0, &dialog, [] { RunTool("xdotool", {"key", "ctrl+alt+d"}); });
  QTimer::singleShot(kDeliveryWait, &dialog, &QDialog::reject);
  EXPECT_EQ(dialog.exec(), QDialog::Accepted);
  EXPECT_TRUE(arrivedWhileModal);
}

TEST_F(HotKeyTest, ArrivesAfterTheKeyboardMappingChanges) {
  struct Case {
    const char* name;
    const char* program;
    QStringList arguments;
    bool movesD;
    bool numLockOn;
  };
  const Case cases[] = {
      {"setxkbmap tr f", "setxkbmap", {"tr", "f"}, true, false},
      {"xmodmap puts d on the e key",
       "xmodmap",
       {"-e", "keycode 26 = d D", "-e", "keycode 40 = e E"},
       true,
       false},
      {"xmodmap moves Num Lock to Mod4",
       "xmodmap",
       {"-e", "clear mod2", "-e", "add mod4 = Num_Lock"},
       false,
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const unsigned before = test::KeycodeOfD();
    ASSERT_TRUE(RunTool(c.program, c.arguments));
    if (c.movesD) {
      ASSERT_NE(test::KeycodeOfD(), before);
    }
    if (c.numLockOn) {
      ASSERT_TRUE(RunTool("xdotool", {"key", "Num_Lock"}));
      ASSERT_TRUE(LockIsOn("Num Lock"));
    }
    EXPECT_TRUE(pressEventuallyReaches());
    restoreKeyboard();
    EXPECT_TRUE(pressEventuallyReaches());
  }
}

TEST(HotKeyGrab, RefusedWhileAnotherProgramHoldsItAndFreeAfterwards) {
  auto holder = std::make_unique<OtherClient>();
  ASSERT_TRUE(holder->grabCtrlAltD(0));
  auto refused = MakeGlobalHotKey();
  EXPECT_FALSE(refused->registerHotKey([] {}));

  // A refused registration keeps none of the other lock states either.
  holder.reset();
  {
    OtherClient other;
    for (const unsigned locks :
         {0u, unsigned(LockMask), unsigned(Mod2Mask), unsigned(LockMask | Mod2Mask)}) {
      EXPECT_TRUE(other.grabCtrlAltD(locks)) << "state " << locks;
    }
  }
  // And once the other program let go, we get it.
  EXPECT_TRUE(MakeGlobalHotKey()->registerHotKey([] {}));
}

TEST(HotKeyGrab, ReleasedWhenTheHotKeyGoes) {
  {
    auto hotKey = MakeGlobalHotKey();
    ASSERT_TRUE(hotKey->registerHotKey([] {}));
    OtherClient other;
    EXPECT_FALSE(other.grabCtrlAltD(0));
  }
  OtherClient other;
  EXPECT_TRUE(other.grabCtrlAltD(0));
}

}  // namespace
}  // namespace quilor
