// Bringing a window of ours in front of another program, on a real X server
// under a real window manager (openbox), and the order of the attempts.
#include <gtest/gtest.h>

#include <QApplication>
#include <QProcess>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <string>
#include <vector>

#include "ForegroundAttempts.h"
#include "LoginHost.h"
#include "MasterPasswordDialog.h"
#include "WindowForeground.h"

namespace quilor {
namespace {

// Records what was tried; the attempt numbered `worksAt` makes the window
// active (0: it already is; 4: nothing works).
class ScriptedOps : public ForegroundOps {
 public:
  ScriptedOps(bool minimised, bool owner, bool ownerMinimised, int worksAt)
      : minimised_(minimised), owner_(owner), ownerMinimised_(ownerMinimised), worksAt_(worksAt) {}

  bool hasOwner() override { return owner_; }
  bool isMinimised(Which which) override {
    return which == Which::Window ? minimised_ : ownerMinimised_;
  }
  void restore(Which which) override {
    calls.push_back(which == Which::Window ? "restore window" : "restore owner");
  }
  bool isForeground() override { return worksAt_ == 0; }
  bool activateViaWindowManager() override { return attempt("window manager", 1); }
  bool focusAndRaise() override { return attempt("focus and raise", 2); }
  bool minimiseAndRestore() override { return attempt("minimise and restore", 3); }

  std::vector<std::string> calls;

 private:
  bool attempt(const char* name, int number) {
    calls.emplace_back(name);
    return worksAt_ == number;
  }
  bool minimised_, owner_, ownerMinimised_;
  int worksAt_;
};

TEST(ForegroundAttempts, RestoreFirstThenStopAtTheFirstAttemptThatWorks) {
  struct Case {
    const char* name;
    bool minimised, owner, ownerMinimised;
    int worksAt;
    std::vector<std::string> calls;
    bool result;
  };
  const Case cases[] = {
      {"already in front", false, false, false, 0, {}, true},
      {"minimised, in front once restored",
       true,
       true,
       true,
       0,
       {"restore window", "restore owner"},
       true},
      {"owner shown is left alone", false, true, false, 1, {"window manager"}, true},
      {"focus needed",
       true,
       false,
       false,
       2,
       {"restore window", "window manager", "focus and raise"},
       true},
      {"last resort",
       false,
       false,
       false,
       3,
       {"window manager", "focus and raise", "minimise and restore"},
       true},
      {"nothing works",
       false,
       false,
       false,
       4,
       {"window manager", "focus and raise", "minimise and restore"},
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedOps ops(c.minimised, c.owner, c.ownerMinimised, c.worksAt);
    EXPECT_EQ(RunForegroundAttempts(ops), c.result);
    EXPECT_EQ(ops.calls, c.calls);
  }
}

QString RunTool(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(15000)) return {};
  return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

// The window the window manager calls active, read by an independent tool.
WId ActiveWindow() {
  return RunTool(QStringLiteral("xdotool"), {QStringLiteral("getactivewindow")}).toULongLong();
}

// The ICCCM state the window manager gives the window: Normal, Iconic...
QString WmState(WId window) {
  return RunTool(QStringLiteral("xprop"),
                 {QStringLiteral("-id"), QString::number(window), QStringLiteral("WM_STATE")})
      .section(QStringLiteral("window state: "), 1)
      .section('\n', 0, 0);
}

// Another program whose window holds the focus: what the user works in when
// our window wants to come forward.
class OtherProgram {
 public:
  OtherProgram() {
    process_.start(QStringLiteral("xmessage"),
                   {QStringLiteral("-title"), QStringLiteral("Other program"),
                    QStringLiteral("The focus is here")});
    process_.waitForStarted();
    // xmessage does not announce its process id: found by its title. No
    // --sync: xdotool would then wait without a bound, and a window destroyed
    // while it looks ends the search with BadWindow. A failed search is
    // simply tried again. A window that never shows leaves window_ at 0,
    // which every test checks first.
    (void)QTest::qWaitFor(
        [this] {
          window_ = RunTool(QStringLiteral("xdotool"),
                            {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                             QStringLiteral("--name"), QStringLiteral("^Other program$")})
                        .section('\n', 0, 0)
                        .toULongLong();
          return window_ != 0;
        },
        15000);
  }
  ~OtherProgram() {
    process_.kill();
    process_.waitForFinished();
  }

  WId window() const { return window_; }
  // Gives it the focus the way a user click would.
  bool activate() {
    RunTool(QStringLiteral("xdotool"),
            {QStringLiteral("windowactivate"), QString::number(window_)});
    return QTest::qWaitFor([this] { return ActiveWindow() == window_; }, 10000);
  }

 private:
  QProcess process_;
  WId window_ = 0;
};

class Foreground : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(other_.window(), 0u) << "xmessage did not show a window";
    window_.setWindowTitle(QStringLiteral("Quilor foreground test"));
    window_.resize(300, 200);
    window_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_, 30000));
  }

  OtherProgram other_;
  QWidget window_;
};

TEST_F(Foreground, TakesTheFocusFromAnotherProgram) {
  ASSERT_TRUE(other_.activate());
  EXPECT_TRUE(ForceToForeground(window_.windowHandle()));
  EXPECT_EQ(ActiveWindow(), window_.winId());
}

TEST_F(Foreground, RestoresAMinimisedWindowAndTakesTheFocus) {
  window_.showMinimized();
  ASSERT_TRUE(QTest::qWaitFor([this] { return WmState(window_.winId()) == "Iconic"; }));
  ASSERT_TRUE(other_.activate());

  EXPECT_TRUE(ForceToForeground(window_.windowHandle()));
  EXPECT_EQ(ActiveWindow(), window_.winId());
  EXPECT_EQ(WmState(window_.winId()), QStringLiteral("Normal"));
}

TEST_F(Foreground, AWindowAlreadyInFrontStaysThere) {
  ASSERT_TRUE(ForceToForeground(window_.windowHandle()));
  EXPECT_TRUE(ForceToForeground(window_.windowHandle()));
  EXPECT_EQ(ActiveWindow(), window_.winId());
}

class NoMainWindow : public LoginHost {
 public:
  QString caption() const override { return QStringLiteral("Quilor"); }
  void logIn(std::string_view) override {}
  bool unlock(std::string_view) override { return false; }
  bool masterPasswordMatches(std::string_view) const override { return false; }
  void changeMasterPassword(std::string_view) override {}
  void showMainWindow() override {}
  void showTrayIcon() override {}
  bool idleTimeAvailable() const override { return false; }
  void setIdleTimerActive(bool) override {}
};

TEST_F(Foreground, ThePasswordDialogComesInFrontOfAnotherProgramWhenShown) {
  ASSERT_TRUE(other_.activate());
  NoMainWindow host;
  MasterPasswordDialog dialog(host, "/nonexistent/data.xtr");
  dialog.setReAuthMode(true);
  dialog.show();
  EXPECT_TRUE(QTest::qWaitFor([&dialog] { return ActiveWindow() == dialog.winId(); }, 3000));
  dialog.close();
}

}  // namespace
}  // namespace quilor
