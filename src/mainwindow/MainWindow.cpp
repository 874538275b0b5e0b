#include "MainWindow.h"

#include <malloc.h>

#include <QLineEdit>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include "ConflictCopies.h"
#include "ErrorDisplay.h"
#include "GlobalHotKey.h"
#include "Identity.h"
#include "IdleLock.h"
#include "Info.h"
#include "ListGlyphs.h"
#include "MainWindowTexts.h"
#include "MasterPasswordDialog.h"
#include "ProtectedRecords.h"
#include "RecordListModel.h"
#include "RecordListView.h"
#include "SecretClipboard.h"
#include "TrayIcon.h"

namespace quilor {

MainWindow::MainWindow(const MainWindowSetup& setup, QWidget* parent)
    : QMainWindow(parent), session_(setup.dataFilePath) {
  setObjectName(QStringLiteral("mainWindow"));
  setWindowTitle(MainCaption());
  setWindowIcon(PadlockGlyph(32));
  resize(1000, 650);

  secretClipboard_ = new SecretClipboard(this);
  trayIcon_ = new TrayIcon(windowIcon(), ProductName + texts::kLockedToolTipSuffix, this);
  idleLock_ = new IdleLock(
      setup.makeIdleProbe(), [this] { return windowLock_.windowShown(); }, this);

  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  header_ = new QLabel(HeaderCaption(), central);
  header_->setObjectName(QStringLiteral("header"));
  QFont headerFont = header_->font();
  headerFont.setBold(true);
  headerFont.setPointSizeF(headerFont.pointSizeF() * 1.25);
  header_->setFont(headerFont);
  header_->setContentsMargins(4, 6, 4, 6);
  layout->addWidget(header_);

  buildRecordMenu();
  layout->addWidget(buildToolBar(central));
  buildRecordList(central);
  layout->addWidget(recordList_, 1);
  layout->addWidget(buildSearchPanel(central));
  setCentralWidget(central);
  buildStatusBar();
  buildMainMenu();
  connectParts();
  buildKeyboard();
  for (const char* name :
       {"newRecord", "editRecord", "operations", "deleteRecord", "changeMasterPassword",
        "hideToTray", "focusSearch", "importCsv", "exportCsv"}) {
    recordCommands_ << findChild<QAction*>(QString::fromLatin1(name));
  }
  // Typing right after the login searches; Tab moves on to the list.
  setTabOrder(searchBox_, recordList_);
  searchBox_->setFocus();

  if (setup.askForLoginAtStart) {
    QMetaObject::invokeMethod(this, &MainWindow::showLoginAtStart, Qt::QueuedConnection);
  }
  idleLock_->setActive(true);
  // Another program may hold Ctrl+Alt+D already; the program then runs
  // without it, and the tray menu still offers auto-fill.
  hotKey_ = MakeGlobalHotKey();
  hotKey_->registerHotKey([this] { autoFillFromAnywhere(); });
}

MainWindow::~MainWindow() {
  // The list reads the session's table, which goes before the list does.
  listModel_->clear();
}

void MainWindow::connectParts() {
  connect(secretClipboard_, &SecretClipboard::countdownStarted, this,
          &MainWindow::showCountdownStarted);
  connect(secretClipboard_, &SecretClipboard::countdownAdvanced, this,
          &MainWindow::showCountdownPosition);
  connect(secretClipboard_, &SecretClipboard::countdownEnded, this,
          &MainWindow::showCountdownEnded);
  connect(trayIcon_, &TrayIcon::unlockRequested, this, &MainWindow::unlockFromTray);
  connect(trayIcon_, &TrayIcon::webAddressChosen, this, &MainWindow::openTrayWebAddress);
  connect(trayIcon_, &TrayIcon::closeRequested, this, &MainWindow::closeProgramFromTray);
  connect(trayIcon_, &TrayIcon::autoFillRequested, this, &MainWindow::autoFillFromAnywhere);
  connect(idleLock_, &IdleLock::idleTooLong, this, &MainWindow::lockAfterIdle);
  // The desktop says nothing when its tray host ends; a look every half
  // second costs nothing and finds it in time.
  trayWatch_ = new QTimer(this);
  trayWatch_->setInterval(500);
  connect(trayWatch_, &QTimer::timeout, this, &MainWindow::followTrayHost);
  trayWatch_->start();
}

void MainWindow::showLoginAtStart() {
  Guarded([this] {
    // A login that is abandoned asks the application to quit from inside the
    // dialog; the program then ends once this handler has returned.
    MasterPasswordDialog dialog(*this, session_.dataFilePath());
    if (dialog.exec() == QDialog::Accepted) tellOfConflictCopies();
  });
}

void MainWindow::tellOfConflictCopies() {
  const std::string& dataFilePath = session_.dataFilePath();
  const std::vector<std::string> copies = ConflictCopiesOf(dataFilePath);
  if (copies.empty()) return;
  auto quoted = [](const std::string& path) {
    return QStringLiteral(" '") + QString::fromStdString(path) + QStringLiteral("'");
  };
  QString message = texts::kConflictCopiesBefore + QString::number(copies.size()) +
                    texts::kConflictCopiesAfter + texts::kConflictCopiesCommand;
  for (const std::string& copy : copies) {
    message += QStringLiteral("\n") + texts::kMergeCommand + quoted(dataFilePath) + quoted(copy);
  }
  ShowInfo(message);
}

void MainWindow::tellSaveOutcome(SaveOutcome outcome, const QString& conflictText) {
  switch (outcome) {
    case SaveOutcome::Written:
      return;
    case SaveOutcome::WrittenWithChangesFromElsewhere:
      ShowInfo(texts::kChangesFromElsewhereTaken);
      return;
    case SaveOutcome::ChangedOnBothSides:
      ShowInfo(conflictText);
      throw RecordsReloaded{};
    case SaveOutcome::NoLongerOpens:
      ShowInfo(texts::kFileNoLongerOpens);
      throw SilentAbort{};
  }
}

void MainWindow::refreshViews() {
  buildTrayRecordMenu();
  fillRecordList();
  showRecordCount();
}

void MainWindow::readKeepingListHonest(const std::function<void()>& read) {
  try {
    read();
  } catch (...) {
    // A write that fails leaves the table as it was, and the list with it. A
    // read that stops leaves the table empty: no row may stay whose record
    // is gone from it.
    if (!records().isEmpty()) throw;
    if (listModel_->rowCount() > 0) {
      listModel_->clear();
      showRecordCount();
    }
    // The user is about to be told why the list is empty.
    recordList_->setEmptyHint({});
    throw;
  }
  refreshViews();
  // A read of thousands of records leaves its copies of the file freed in
  // small pieces, which the C library keeps. They are given back once the
  // list is up, not while the user waits for it.
  QTimer::singleShot(0, this, [] { malloc_trim(0); });
}

void MainWindow::loadRecords() {
  readKeepingListHonest([this] { session_.load(); });
}

void MainWindow::logIn(std::string_view password) {
  readKeepingListHonest([&] { session_.logIn(password); });
}

// While the records stay in the window, the unlock only compares, and the
// list keeps its rows and its selection.
bool MainWindow::unlock(std::string_view password) {
  if (!session_.locked()) return session_.unlock(password);
  bool accepted = false;
  readKeepingListHonest([&] { accepted = session_.unlock(password); });
  return accepted;
}

bool MainWindow::masterPasswordMatches(std::string_view password) const {
  return session_.masterPasswordMatches(password);
}

void MainWindow::changeMasterPassword(std::string_view password) {
  SaveOutcome outcome = SaveOutcome::Written;
  readKeepingListHonest([&] { outcome = session_.changeMasterPassword(password); });
  tellSaveOutcome(outcome, QString());
}

bool MainWindow::idleTimeAvailable() const { return idleLock_->available(); }

void MainWindow::setIdleTimerActive(bool active) { idleLock_->setActive(active); }

}  // namespace quilor
