// The locked window as another program on the same desktop reaches it:
// through the accessibility bus (AT-SPI, read and pressed with pyatspi by
// tests/support/access_probe.py), which lists hidden widgets as well as
// shown ones. Run under tests/support/with-display.sh --a11y, with --tray
// and once more without a tray host (the WithoutTray cases).
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableView>
#include <QTest>
#include <QTreeWidget>
#include <functional>

#include "AutoFillDialog.h"
#include "Fields.h"
#include "LockedWindow.h"
#include "SampleRecords.h"
#include "TrayIcon.h"
#include "TypingTarget.h"

namespace quilor {
namespace {

using namespace test;

// What the probe printed; empty with ok false when it failed or did not end.
struct ProbeAnswer {
  bool ok = false;
  QString out;
};

// The probe runs as a program of its own while this one's event loop goes
// on, so that the window can answer it.
class Probe {
 public:
  explicit Probe(const QStringList& arguments) {
    process_.start(QStringLiteral("/usr/bin/python3"),
                   QStringList{QStringLiteral(QUILOR_ACCESS_PROBE),
                               QString::number(QCoreApplication::applicationPid())} +
                       arguments);
  }
  ~Probe() {
    if (process_.state() != QProcess::NotRunning) {
      process_.kill();
      process_.waitForFinished();
    }
  }
  bool finished() const { return process_.state() == QProcess::NotRunning; }
  ProbeAnswer answer() {
    const bool ended = QTest::qWaitFor([this] { return finished(); }, 60000);
    ProbeAnswer answer;
    answer.out = QString::fromUtf8(process_.readAllStandardOutput());
    answer.ok = ended && process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0;
    if (!answer.ok) ADD_FAILURE() << process_.readAllStandardError().toStdString();
    return answer;
  }

 private:
  QProcess process_;
};

ProbeAnswer Walk() { return Probe({QStringLiteral("walk")}).answer(); }

// A table row or a record's text that the walk found, or empty.
QString RecordDataIn(const QString& walk) {
  const QRegularExpression rows(QStringLiteral("^ROWS\t[1-9]"),
                                QRegularExpression::MultilineOption);
  if (rows.match(walk).hasMatch()) return QStringLiteral("a table with rows");
  for (const QString& text : {QStringLiteral("Kargo"), QStringLiteral("Gönderi"),
                              QStringLiteral("kargo.example"), QStringLiteral("Toplam")}) {
    if (walk.contains(text)) return text;
  }
  return {};
}

class LockedAccess : public LockedWindow {
 protected:
  void SetUp() override {
    LockedWindow::SetUp();
    RecordTable table;
    AppendSample(table, {.title = "Banka",
                         .userName = "ali.veli",
                         .password = "Gizli-1",
                         .onTrayMenu = true,
                         .recordNumber = "202401010900000000001"});
    AppendSample(table, {.title = "Kargo Takip",
                         .description = "Gönderi numaraları",
                         .webAddress = "https://kargo.example",
                         .password = "k",
                         .recordNumber = "202401010900000000002"});
    SaveSample(table, path, kPassword);
    window->loadRecords();
    // Under the cover the list is out of the window: found now, while it is in.
    list_ = window->findChild<QTableView*>(QStringLiteral("recordList"));
    searchBox_ = window->findChild<QLineEdit*>(QStringLiteral("searchBox"));
  }

  QTableView* list() { return list_; }
  QLineEdit* searchBox() { return searchBox_; }
  QString count() { return window->findChild<QLabel*>(QStringLiteral("statusPanel2"))->text(); }
  QString selectedTitle() {
    const QModelIndexList rows = list()->selectionModel()->selectedRows();
    return rows.isEmpty() ? QString() : rows.first().data().toString();
  }
  bool locked() { return window->windowLock().state() == WindowLock::State::Hidden; }

  QTableView* list_ = nullptr;
  QLineEdit* searchBox_ = nullptr;

  // Each way of locking, read from outside; each time the right password
  // brings back the list as it was: its search, its rows, its selection.
  void readEveryLock() {
    searchBox()->setText(QStringLiteral("kargo"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return count() == QStringLiteral("Toplam 1 Kayıt"); }));
    list()->selectRow(0);
    ASSERT_EQ(selectedTitle(), QStringLiteral("Kargo Takip"));
    // The probe does see the records while the window is shown.
    ASSERT_EQ(RecordDataIn(Walk().out), QStringLiteral("a table with rows"));

    struct Lock {
      const char* name;
      std::function<void()> lock;
    };
    const Lock locks[] = {
        {"Gizle", [&] { action("hideToTray")->trigger(); }},
        {"a minute without input", [&] { idle.milliseconds = 60001; }},
    };
    for (const Lock& way : locks) {
      SCOPED_TRACE(way.name);
      way.lock();
      ASSERT_TRUE(QTest::qWaitFor([&] { return locked(); }, kWait));
      idle.milliseconds = 0;
      const ProbeAnswer walk = Walk();
      ASSERT_TRUE(walk.ok);
      EXPECT_EQ(RecordDataIn(walk.out).toStdString(), "");
      EXPECT_EQ(searchBox()->text(), QString());

      Hand hand([&] { AnswerPasswordDialog(kPassword); });
      doubleClickTrayIcon();
      ASSERT_TRUE(window->windowLock().windowShown());
      EXPECT_EQ(searchBox()->text(), QStringLiteral("kargo"));
      EXPECT_EQ(list()->model()->rowCount(), 1);
      EXPECT_EQ(selectedTitle(), QStringLiteral("Kargo Takip"));
      EXPECT_EQ(count(), QStringLiteral("Toplam 1 Kayıt"));
    }
  }

  // Every record command pressed from outside while locked: nothing opens,
  // nothing is written, nothing reaches the clipboard.
  // (Under the cover the toolbar is out of the window and off the bus.)
  void pressEveryCommand() {
    list()->selectRow(0);
    action("hideToTray")->trigger();
    ASSERT_TRUE(locked());
    QApplication::clipboard()->setText(QStringLiteral("önce"));
    const std::string before = ReadBytes(path);
    QStringList opened;
    Hand hand([&] {
      for (QWidget* top : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<QDialog*>(top);
        if (dialog == nullptr || !dialog->isVisible()) continue;
        const auto* box = qobject_cast<QMessageBox*>(dialog);
        opened << (box != nullptr ? box->text() : dialog->objectName());
        dialog->reject();
      }
    });
    const ProbeAnswer pressed =
        Probe({"press", "Yeni Kayıt", "Düzenle", "İşlemler", "Sil", "Ana Şifre Değiştir", "Gizle",
               "Kullanıcı Adını Panoya Kopyala", "Şifreyi Panoya Kopyala",
               "Web Adresini Panoya Kopyala", "Web Adresini Aç"})
            .answer();
    ASSERT_TRUE(pressed.ok);
    // The probe did reach the hidden toolbar: not finding it proves nothing.
    EXPECT_TRUE(pressed.out.contains(QStringLiteral("found\tDüzenle")))
        << pressed.out.toStdString();
    EXPECT_EQ(opened.join(" | ").toStdString(), "");
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("önce"));
    EXPECT_TRUE(locked());
  }
};

TEST_F(LockedAccess, InTheTrayNoRecordCanBeReadAndTheRightPasswordBringsTheListBack) {
  ASSERT_TRUE(window->trayIcon().desktopHasTray());
  readEveryLock();
}

TEST_F(LockedAccess, WithoutTrayTheCoveredWindowShowsNoRecordAndTheRightPasswordBringsItBack) {
  ASSERT_FALSE(window->trayIcon().desktopHasTray());
  readEveryLock();
}

TEST_F(LockedAccess, InTheTrayTheHiddenCommandsPressedFromOutsideDoNothing) {
  ASSERT_TRUE(window->trayIcon().desktopHasTray());
  pressEveryCommand();
}

// A long wait in a script leaves the program answering, and the idle lock
// that comes meanwhile ends the typing with no key left down.
TEST_F(LockedAccess, AWaitInAScriptKeepsTheProgramAnsweringAndTheIdleLockEndsTheRun) {
  Display* display = XOpenDisplay(nullptr);
  ASSERT_NE(display, nullptr);
  RecordTable table;
  table.append();
  table.setText(Field::RecordNumber, "202401010900000000003");
  table.setText(Field::Title, "Bekleyen");
  table.setText(Field::Password, "p");
  table.setText(Field::AutoFillScript, "ab{BEKLE_30000}cd");
  table.post();
  SaveSample(table, path, kPassword);
  window->loadRecords();
  {
    TypingTarget target(display, QStringLiteral("Giriş Formu"));
    std::unique_ptr<Probe> probe;
    ProbeAnswer walk;
    bool confirmed = false;
    Hand hand([&] {
      AutoFillDialog* dialog = Shown(AutoFillDialog::current());
      if (dialog != nullptr && !confirmed) {
        confirmed = true;
        auto* windows = dialog->findChild<QTreeWidget*>(QStringLiteral("windowList"));
        windows->setCurrentItem(windows->findItems("Giriş Formu", Qt::MatchExactly).value(0));
        QMetaObject::invokeMethod(dialog->findChild<QPushButton*>("confirmButton"), "click",
                                  Qt::QueuedConnection);
        return;
      }
      if (confirmed && !probe && target.report().keys == QStringLiteral("ab")) {
        probe = std::make_unique<Probe>(QStringList{QStringLiteral("walk")});
      }
      if (probe && probe->finished() && idle.milliseconds == 0) {
        walk = probe->answer();
        idle.milliseconds = 60001;
      }
    });
    list()->selectRow(0);
    action("autoFill")->trigger();
    EXPECT_TRUE(walk.ok) << "the program did not answer while the script waited";
    EXPECT_TRUE(walk.out.contains(QStringLiteral("Giriş Formu")) ||
                walk.out.contains(QStringLiteral("Otomatik Form Doldurma")))
        << walk.out.toStdString();
    EXPECT_TRUE(locked());
    EXPECT_EQ(AutoFillDialog::current(), nullptr);
    EXPECT_EQ(target.report().keys, QStringLiteral("ab"));
  }
  char keys[32] = {};
  XQueryKeymap(display, keys);
  EXPECT_EQ(std::string(keys, sizeof keys), std::string(sizeof keys, '\0')) << "a key is held";
  XCloseDisplay(display);
}

}  // namespace
}  // namespace quilor
