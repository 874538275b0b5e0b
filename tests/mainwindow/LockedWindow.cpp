#include "LockedWindow.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableView>
#include <QTest>
#include <set>

#include "MasterPasswordDialog.h"
#include "RecordEditor.h"
#include "SampleRecords.h"
#include "TrayIcon.h"

namespace quilor::test {

namespace {

class SetIdleProbe final : public IdleProbe {
 public:
  explicit SetIdleProbe(const IdleTime& time) : time_(time) {}
  bool available() const override { return true; }
  std::uint32_t idleMilliseconds() override { return time_.milliseconds; }

 private:
  const IdleTime& time_;
};

}  // namespace

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

namespace {

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

}  // namespace

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

Hand::Hand(std::function<void()> step) : step_(std::move(step)) {
  connect(&poll_, &QTimer::timeout, this, [this] { Hand::step(); });
  poll_.start(20);
  clock_.start();
}

Hand::~Hand() { EXPECT_FALSE(gaveUp_) << "a dialog was still open after " << kWait << " ms"; }

void Hand::step() {
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

void NoteUnexpectedBox(QStringList& boxes) {
  auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
  if (box == nullptr || !box->isVisible() || box->property("noted").toBool()) return;
  box->setProperty("noted", true);
  boxes << box->text();
  QMetaObject::invokeMethod(box, "reject", Qt::QueuedConnection);
}

void LockedWindow::SetUp() {
  path = folder.file("data.xtr");
  RecordTable table;
  AppendSample(table, {.title = "Banka",
                       .userName = "ali.veli",
                       .password = "Gizli-1",
                       .onTrayMenu = true,
                       .recordNumber = "202401010900000000001"});
  AppendSample(table,
               {.title = "Kargo Takip", .password = "k", .recordNumber = "202401010900000000002"});
  SaveSample(table, path, kPassword);
  openWindow();
}

void LockedWindow::openWindow() {
  MainWindowSetup setup{path, false};
  setup.makeIdleProbe = [this] { return std::make_unique<SetIdleProbe>(idle); };
  window = std::make_unique<MainWindow>(setup);
  window->logIn(kPassword);
  window->showMainWindow();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get(), 30000));
}

QAction* LockedWindow::action(const char* name) {
  auto* found = window->findChild<QAction*>(QString::fromLatin1(name));
  EXPECT_NE(found, nullptr) << name;
  return found;
}

QAction* LockedWindow::trayItem(const char* name) {
  return window->trayIcon().menu().findChild<QAction*>(QString::fromLatin1(name));
}

void LockedWindow::selectFirstRow() {
  window->findChild<QTableView*>(QStringLiteral("recordList"))->selectRow(0);
}

void LockedWindow::doubleClickTrayIcon() {
  emit window->trayIcon().systemIcon().activated(QSystemTrayIcon::DoubleClick);
}

bool LockedWindow::lockedInTray() {
  return !window->isVisible() && window->trayIcon().isVisible() &&
         window->windowLock().state() == WindowLock::State::Hidden;
}

}  // namespace quilor::test
