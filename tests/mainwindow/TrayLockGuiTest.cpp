// The locked window on a real X server: hiding to the tray host (trayer),
// Ctrl+Alt+D pressed by another program (xdotool), the idle lock with an idle
// time the test sets, and closing from the tray. Run under
// tests/support/with-display.sh --tray; the WithoutTray cases run on a
// desktop without a tray host.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>
#include <set>

#include "AutoFillDialog.h"
#include "ChangeMasterPasswordDialog.h"
#include "Files.h"
#include "IdleLock.h"
#include "MainWindow.h"
#include "MasterPasswordDialog.h"
#include "ProcessState.h"
#include "RecordEditor.h"
#include "SampleRecords.h"
#include "ScriptHelpDialog.h"
#include "SecretClipboard.h"
#include "TrayIcon.h"

namespace quilor {
namespace {

constexpr int kWait = 15000;
const char* const kPassword = "anahtar";

// Runs an X tool to its end, as another program on the desktop would; its
// standard output, or nothing when it failed.
std::optional<QString> RunTool(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(10000) || process.exitStatus() != QProcess::NormalExit ||
      process.exitCode() != 0) {
    process.kill();
    process.waitForFinished();
    return std::nullopt;
  }
  return QString::fromLocal8Bit(process.readAllStandardOutput());
}

bool PressHotKey() { return RunTool("xdotool", {"key", "ctrl+alt+d"}).has_value(); }

// The idle time the window's idle lock reads, set by the test.
struct IdleTime {
  std::uint32_t milliseconds = 0;
};

class SetIdleProbe final : public IdleProbe {
 public:
  explicit SetIdleProbe(const IdleTime& time) : time_(time) {}
  bool available() const override { return true; }
  std::uint32_t idleMilliseconds() override { return time_.milliseconds; }

 private:
  const IdleTime& time_;
};

// The test's hand while a modal loop runs: step is called every 20 ms for as
// long as the hand exists. When the case has not ended within kWait, it gives
// up: every dialog still open is closed, so the test reports instead of
// hanging in a modal loop.
class Hand : public QObject {
 public:
  explicit Hand(std::function<void()> step) : step_(std::move(step)) {
    connect(&poll_, &QTimer::timeout, this, [this] { Hand::step(); });
    poll_.start(20);
    clock_.start();
  }
  ~Hand() override { EXPECT_FALSE(gaveUp_) << "a dialog was still open after " << kWait << " ms"; }

 private:
  void step() {
    if (clock_.elapsed() < kWait) {
      step_();
      return;
    }
    gaveUp_ = true;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (auto* dialog = qobject_cast<QDialog*>(widget); dialog != nullptr && dialog->isVisible()) {
        if (auto* editor = qobject_cast<RecordEditor*>(dialog)) editor->setModified(false);
        dialog->reject();
      }
    }
  }

  std::function<void()> step_;
  QTimer poll_;
  QElapsedTimer clock_;
  bool gaveUp_ = false;
};

template <typename Dialog>
Dialog* Shown(Dialog* dialog) {
  return dialog != nullptr && dialog->isVisible() ? dialog : nullptr;
}

// Answers a shown master password dialog, once: types the password and
// presses "Giriş", or presses "Vazgeç" when password is null. True when it
// answered one now.
bool AnswerPasswordDialog(const char* password) {
  MasterPasswordDialog* dialog = Shown(MasterPasswordDialog::instance());
  if (dialog == nullptr || dialog->property("answered").toBool()) return false;
  dialog->setProperty("answered", true);
  EXPECT_TRUE(dialog->reAuthMode());
  if (password == nullptr) {
    QMetaObject::invokeMethod(dialog, "reject", Qt::QueuedConnection);
    return true;
  }
  dialog->findChild<QLineEdit*>(QStringLiteral("passwordBox"))
      ->setText(QString::fromUtf8(password));
  QMetaObject::invokeMethod(dialog->findChild<QPushButton*>(QStringLiteral("loginButton")), "click",
                            Qt::QueuedConnection);
  return true;
}

// A message box that should not have come up: its text is kept and it is
// answered with its escape button, so the test goes on to report it.
void NoteUnexpectedBox(QStringList& boxes) {
  auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
  if (box == nullptr || !box->isVisible() || box->property("noted").toBool()) return;
  box->setProperty("noted", true);
  boxes << box->text();
  QMetaObject::invokeMethod(box, "reject", Qt::QueuedConnection);
}

class LockedWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    path = folder.file("data.xtr");
    SortField = "ALAN2";
    SortDescending = false;
    MasterPassword = kPassword;
    RecordTable table;
    test::AppendSample(table, {.title = "Banka",
                               .userName = "ali.veli",
                               .password = "Gizli-1",
                               .onTrayMenu = true,
                               .recordNumber = "202401010900000000001"});
    test::AppendSample(
        table, {.title = "Kargo Takip", .password = "k", .recordNumber = "202401010900000000002"});
    test::SaveSample(table, path, MasterPassword);
    openWindow();
  }

  void openWindow() {
    MainWindowSetup setup{path, false};
    setup.makeIdleProbe = [this] { return std::make_unique<SetIdleProbe>(idle); };
    window = std::make_unique<MainWindow>(setup);
    window->loadRecords();
    window->showMainWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  }

  void TearDown() override { window.reset(); }

  QAction* action(const char* name) {
    auto* found = window->findChild<QAction*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  QAction* trayItem(const char* name) {
    return window->trayIcon().menu().findChild<QAction*>(QString::fromLatin1(name));
  }
  void selectFirstRow() {
    auto* list = window->findChild<QTableView*>(QStringLiteral("recordList"));
    list->selectRow(0);
  }
  void doubleClickTrayIcon() {
    emit window->trayIcon().systemIcon().activated(QSystemTrayIcon::DoubleClick);
  }
  bool lockedInTray() {
    return !window->isVisible() && window->trayIcon().isVisible() &&
           window->windowLock().state() == WindowLock::State::Hidden;
  }

  test::TempFolder folder;
  std::string path;
  IdleTime idle;
  std::unique_ptr<MainWindow> window;
};

// The X windows that trayer holds, as any other program can list them.
std::set<qulonglong> WindowsInTray() {
  std::set<qulonglong> ids;
  const QString trayer = RunTool("xdotool", {"search", "--class", "trayer"}).value_or("");
  for (const QString& host : trayer.split(QChar('\n'), Qt::SkipEmptyParts)) {
    const QString tree = RunTool("xwininfo", {"-tree", "-id", host}).value_or("");
    const QRegularExpression id(QStringLiteral("^\\s+(0x[0-9a-f]+)"),
                                QRegularExpression::MultilineOption);
    for (auto match = id.globalMatch(tree); match.hasNext();) {
      ids.insert(match.next().captured(1).toULongLong(nullptr, 16));
    }
  }
  return ids;
}

// The window in the tray that belongs to this process, or 0.
qulonglong OurIconInTray() {
  for (qulonglong window : WindowsInTray()) {
    const QString pid = RunTool("xprop", {"-id", QString::number(window), "_NET_WM_PID"})
                            .value_or("")
                            .section('=', 1)
                            .trimmed();
    if (pid == QString::number(QCoreApplication::applicationPid())) return window;
  }
  return 0;
}

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

// A minute without input closes every dialog that shows records or takes
// changes, drops what was typed without a question, and locks the window.
TEST_F(LockedWindow, TheIdleLockClosesTheDialogsWithoutAskingAndWritesNothing) {
  struct Case {
    const char* name;
    const char* opener;
    // Called by the hand while the opener's dialog runs: true once the
    // dialogs of the case are open and changed.
    std::function<bool()> prepare;
  };
  auto typeInto = [](QDialog* dialog, const char* box, const char* text) {
    auto* edit = dialog->findChild<QLineEdit*>(QString::fromLatin1(box));
    if (edit->text() != QString::fromUtf8(text)) edit->setText(QString::fromUtf8(text));
  };
  bool helpAsked = false;
  bool autoFillAsked = false;
  const Case cases[] = {
      {"editor with unsaved changes under its script help", "editRecord",
       [&] {
         RecordEditor* editor = Shown(RecordEditor::instance());
         if (editor == nullptr) return false;
         typeInto(editor, "titleEdit", "Değişti");
         if (!helpAsked) {
           helpAsked = true;
           QMetaObject::invokeMethod(
               editor->findChild<QPushButton*>(QStringLiteral("scriptHelpButton")), "click",
               Qt::QueuedConnection);
         }
         return editor->isModified() && Shown(ScriptHelpDialog::instance()) != nullptr;
       }},
      {"master password change with a new password typed", "changeMasterPassword",
       [&] {
         ChangeMasterPasswordDialog* change = Shown(ChangeMasterPasswordDialog::instance());
         if (change == nullptr) return false;
         typeInto(change, "newPasswordEdit", "yeni");
         typeInto(change, "repeatEdit", "yeni");
         return true;
       }},
      {"auto-fill opened by the hot key over a changed editor", "editRecord",
       [&] {
         RecordEditor* editor = Shown(RecordEditor::instance());
         if (editor == nullptr) return false;
         typeInto(editor, "titleEdit", "Değişti");
         if (!autoFillAsked) {
           autoFillAsked = true;
           EXPECT_TRUE(PressHotKey());
         }
         return editor->isModified() && Shown(AutoFillDialog::current()) != nullptr;
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (!window) openWindow();
    selectFirstRow();
    const std::string before = test::ReadBytes(path);
    QStringList boxes;
    {
      Hand hand([&] {
        NoteUnexpectedBox(boxes);
        if (idle.milliseconds == 0 && c.prepare()) idle.milliseconds = 60001;
      });
      action(c.opener)->trigger();
    }
    EXPECT_EQ(idle.milliseconds, 60001u);
    EXPECT_EQ(boxes.join(" | ").toStdString(), "");
    EXPECT_EQ(RecordEditor::instance(), nullptr);
    EXPECT_EQ(ScriptHelpDialog::instance(), nullptr);
    EXPECT_EQ(ChangeMasterPasswordDialog::instance(), nullptr);
    EXPECT_EQ(AutoFillDialog::current(), nullptr);
    EXPECT_TRUE(lockedInTray());
    EXPECT_EQ(test::ReadBytes(path), before);
    EXPECT_EQ(MasterPassword, kPassword);
    window.reset();
    idle.milliseconds = 0;
  }
}

// Windows that show no record, such as the about box, stay open; the main
// window goes to the tray behind them.
TEST_F(LockedWindow, TheIdleLockLeavesTheAboutBoxOpen) {
  bool stayed = false;
  Hand hand([&] {
    auto* about = window->findChild<QDialog*>(QStringLiteral("aboutDialog"));
    if (about == nullptr || !about->isVisible()) return;
    if (idle.milliseconds == 0) {
      idle.milliseconds = 60001;
    } else if (lockedInTray()) {
      stayed = true;
      about->reject();
    }
  });
  action("about")->trigger();
  EXPECT_TRUE(stayed);
  EXPECT_TRUE(lockedInTray());
}

TEST_F(LockedWindow, AClipboardCountdownRunsOnWhileTheWindowIsInTheTray) {
  selectFirstRow();
  window->secretClipboard().setTickInterval(5);
  action("copyPassword")->trigger();
  ASSERT_TRUE(window->secretClipboard().counting());
  action("hideToTray")->trigger();
  ASSERT_TRUE(lockedInTray());
  EXPECT_TRUE(QTest::qWaitFor([&] { return !window->secretClipboard().counting(); }, kWait));
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
  const std::string question = "Soru: Program kapatılsın mı ?";

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

}  // namespace
}  // namespace quilor
