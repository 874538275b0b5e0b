// The locked window on a real X server: hiding to the tray host (trayer),
// Ctrl+Alt+D pressed by another program (xdotool), and closing from the
// tray. Run under tests/support/with-display.sh --tray; the WithoutTray case
// runs on a desktop without a tray host.
#include <gtest/gtest.h>
#include <signal.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <set>

#include "AutoFillDialog.h"
#include "LockedWindow.h"
#include "MasterPasswordDialog.h"
#include "RecordEditor.h"
#include "TrayIcon.h"

namespace quilor {
namespace {

using namespace test;

TEST_F(LockedWindow, HidingPutsTheIconIntoTheTrayAndADoubleClickWithThePasswordTakesItOut) {
  ASSERT_TRUE(window->trayIcon().desktopHasTray());
  EXPECT_EQ(OurIconInTray(), 0u);

  action("hideToTray")->trigger();
  EXPECT_TRUE(lockedInTray());
  qulonglong icon = 0;
  ASSERT_TRUE(QTest::qWaitFor([&] { return (icon = OurIconInTray()) != 0; }, kWait));

  // A real double-click on the icon, as the user gives it.
  int asked = 0;
  Hand hand([&] { asked += AnswerPasswordDialog(kPassword) ? 1 : 0; });
  ASSERT_TRUE(RunTool("xdotool", {"mousemove", "--window", QString::number(icon), "4", "4", "click",
                                  "--repeat", "2", "--delay", "80", "1"})
                  .has_value());
  ASSERT_TRUE(QTest::qWaitFor([&] { return window->isVisible(); }, kWait));
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(window->windowLock().state(), WindowLock::State::Shown);
  EXPECT_TRUE(QTest::qWaitFor([] { return OurIconInTray() == 0; }, kWait));
}

// A further request while the auto-fill dialog is open brings that one
// forward; it never stacks a second dialog on the first.
TEST_F(LockedWindow, TheHotKeyOpensAutoFillAtOnceWhileTheWindowIsShown) {
  bool passwordAsked = false;
  bool askedAgain = false;
  std::set<AutoFillDialog*> dialogs;
  Hand hand([&] {
    if (MasterPasswordDialog::instance() != nullptr) passwordAsked = true;
    AutoFillDialog* dialog = Shown(AutoFillDialog::current());
    if (dialog == nullptr) return;
    // The second request comes from the event loop, as a real one would.
    if (dialogs.insert(dialog).second) {
      QTimer::singleShot(0, window.get(), [&] {
        trayItem("trayAutoFill")->trigger();
        askedAgain = true;
      });
    }
    if (askedAgain) dialog->reject();
  });
  ASSERT_TRUE(PressHotKey());
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return !dialogs.empty() && AutoFillDialog::current() == nullptr; }, kWait));
  EXPECT_EQ(dialogs.size(), 1u);
  EXPECT_FALSE(passwordAsked);
  EXPECT_TRUE(window->isVisible());
}

TEST_F(LockedWindow, TheHotKeyReachesAutoFillOverAnOpenEditor) {
  bool pressed = false;
  bool overEditor = false;
  Hand hand([&] {
    RecordEditor* editor = Shown(RecordEditor::instance());
    if (editor != nullptr && !pressed) {
      pressed = true;
      EXPECT_TRUE(PressHotKey());
    }
    if (AutoFillDialog* dialog = Shown(AutoFillDialog::current())) {
      overEditor = editor != nullptr;
      dialog->reject();
    } else if (overEditor && editor != nullptr) {
      editor->discardChangesAndClose();
    }
  });
  // The editor's modal loop runs inside trigger() until the hand closes it.
  action("newRecord")->trigger();
  EXPECT_TRUE(overEditor);
  EXPECT_EQ(RecordEditor::instance(), nullptr);
}

// While the window is in the tray, the hot key and the tray's "Otomatik
// Doldur" ask for the master password first; the window stays in the tray.
TEST_F(LockedWindow, AutoFillFromTheTrayAsksForThePasswordFirstAndLeavesTheWindowHidden) {
  action("hideToTray")->trigger();
  ASSERT_TRUE(lockedInTray());

  // Cancelled: nothing opens.
  int asked = 0;
  bool autoFillShown = false;
  {
    Hand hand([&] {
      asked += AnswerPasswordDialog(nullptr) ? 1 : 0;
      if (Shown(AutoFillDialog::current())) autoFillShown = true;
    });
    ASSERT_TRUE(PressHotKey());
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return asked == 1 && MasterPasswordDialog::instance() == nullptr; }, kWait));
  }
  EXPECT_FALSE(autoFillShown);
  EXPECT_TRUE(lockedInTray());

  // The right password: auto-fill opens, and until it closes neither the
  // icon's double-click nor a second request asks again.
  asked = 0;
  bool triedAgain = false;
  bool askedAgain = false;
  {
    Hand hand([&] {
      asked += AnswerPasswordDialog(kPassword) ? 1 : 0;
      AutoFillDialog* dialog = Shown(AutoFillDialog::current());
      if (dialog == nullptr) return;
      autoFillShown = true;
      // The second requests come from the event loop, as real ones would.
      if (!triedAgain) {
        triedAgain = true;
        QTimer::singleShot(0, window.get(), [&] {
          doubleClickTrayIcon();
          trayItem("trayAutoFill")->trigger();
          askedAgain = true;
        });
      }
      if (askedAgain) {
        EXPECT_FALSE(window->isVisible());
        dialog->reject();
      }
    });
    trayItem("trayAutoFill")->trigger();
  }
  EXPECT_TRUE(autoFillShown);
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(MasterPasswordDialog::instance(), nullptr);
  EXPECT_TRUE(lockedInTray());
}

// The tray's "Kapat" asks like Esc does, also while the window is hidden;
// only with a master password dialog open does it end the program at once.
TEST_F(LockedWindow, TheTraysCloseAsksFirstUnlessThePasswordIsBeingAsked) {
  action("hideToTray")->trigger();
  ASSERT_TRUE(lockedInTray());
  QStringList questions;
  auto answer = [&](QMessageBox::StandardButton button) {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible() || box->property("answered").toBool()) return;
    box->setProperty("answered", true);
    questions << box->windowTitle() + QStringLiteral(": ") + box->text();
    QMetaObject::invokeMethod(box->button(button), "click", Qt::QueuedConnection);
  };
  const std::string question = "Soru: Program kapatılsın mı?";

  {
    Hand hand([&] { answer(QMessageBox::Cancel); });
    trayItem("trayClose")->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !questions.isEmpty(); }, kWait));
  }
  EXPECT_EQ(questions.join(" | ").toStdString(), question);
  EXPECT_TRUE(lockedInTray());

  // The program's own event loop runs from here on, as in the real program:
  // it returns when the program ends, or when the guard gives up.
  auto runProgram = [](const std::function<void()>& start) {
    // As the program has it: dialogs come and go while the window is hidden.
    QApplication::setQuitOnLastWindowClosed(false);
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QApplication::exit(99); });
    guard.start(kWait);
    QTimer::singleShot(0, start);
    return QApplication::exec();
  };

  questions.clear();
  {
    Hand hand([&] { answer(QMessageBox::Ok); });
    EXPECT_EQ(runProgram([&] { trayItem("trayClose")->trigger(); }), 0);
  }
  EXPECT_EQ(questions.join(" | ").toStdString(), question);

  // A window closed once stays closed; the next case needs a new one.
  window.reset();
  openWindow();
  action("hideToTray")->trigger();
  questions.clear();
  {
    bool closing = false;
    Hand hand([&] {
      answer(QMessageBox::Cancel);
      if (Shown(MasterPasswordDialog::instance()) && !closing) {
        closing = true;
        trayItem("trayClose")->trigger();
      }
    });
    EXPECT_EQ(runProgram([&] { doubleClickTrayIcon(); }), 0);
  }
  EXPECT_EQ(questions.join(" | ").toStdString(), "");
}

// A desktop without a notification area: the locked window is minimised
// with its records covered, and its one button asks for the master password.
TEST_F(LockedWindow, WithoutTrayTheLockedWindowIsMinimisedAndUnlocksWithThePassword) {
  ASSERT_FALSE(window->trayIcon().desktopHasTray());
  auto* list = window->findChild<QTableView*>(QStringLiteral("recordList"));
  const QString id = QString::number(window->winId());
  auto iconified = [&] {
    return RunTool("xprop", {"-id", id, "WM_STATE"}).value_or("").contains("Iconic");
  };

  action("hideToTray")->trigger();
  EXPECT_EQ(window->windowLock().state(), WindowLock::State::Hidden);
  EXPECT_FALSE(list->isVisible());
  EXPECT_FALSE(window->trayIcon().isVisible());
  ASSERT_TRUE(QTest::qWaitFor(iconified, kWait));

  struct Return {
    const char* password;
    bool shown;
  };
  for (const Return& r : {Return{nullptr, false}, Return{kPassword, true}}) {
    SCOPED_TRACE(r.password != nullptr ? "right password" : "cancelled");
    // The user brings the window back, here through the window manager, and
    // finds only the button.
    ASSERT_TRUE(RunTool("xdotool", {"windowactivate", id}).has_value());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !iconified(); }, kWait));
    auto* unlock = window->findChild<QPushButton*>(QStringLiteral("unlockButton"));
    ASSERT_NE(unlock, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return unlock->isVisible(); }, kWait));
    EXPECT_FALSE(list->isVisible());

    int asked = 0;
    Hand hand([&] { asked += AnswerPasswordDialog(r.password) ? 1 : 0; });
    QTest::mouseClick(unlock, Qt::LeftButton);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(window->windowLock().windowShown(), r.shown);
    EXPECT_EQ(list->isVisible(), r.shown);
    EXPECT_TRUE(QTest::qWaitFor([&] { return iconified() != r.shown; }, kWait));
  }
}

// The tray host ends while the window is in it: the icon is gone with it,
// so the window comes back at once, minimised with its records covered.
TEST_F(LockedWindow, WhenTheTrayHostGoesAwayTheHiddenWindowIsCoveredAndMinimised) {
  ASSERT_TRUE(window->trayIcon().desktopHasTray());
  action("hideToTray")->trigger();
  ASSERT_TRUE(lockedInTray());
  const QString host =
      RunTool("xdotool", {"search", "--class", "trayer"}).value_or("").section(QChar('\n'), 0, 0);
  ASSERT_FALSE(host.isEmpty());
  const qint64 pid = RunTool("xprop", {"-id", host, "_NET_WM_PID"})
                         .value_or("")
                         .section('=', 1)
                         .trimmed()
                         .toLongLong();
  ASSERT_GT(pid, 0);
  ASSERT_EQ(::kill(pid_t(pid), SIGTERM), 0);

  const QString id = QString::number(window->winId());
  auto iconified = [&] {
    return RunTool("xprop", {"-id", id, "WM_STATE"}).value_or("").contains("Iconic");
  };
  ASSERT_TRUE(QTest::qWaitFor(iconified, kWait));
  EXPECT_EQ(window->windowLock().state(), WindowLock::State::Hidden);
  EXPECT_NE(window->findChild<QPushButton*>(QStringLiteral("unlockButton")), nullptr);
  // The list is out of the window, under the cover.
  EXPECT_EQ(window->findChild<QTableView*>(QStringLiteral("recordList")), nullptr);
}

}  // namespace
}  // namespace quilor
