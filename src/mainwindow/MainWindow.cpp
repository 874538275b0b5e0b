#include "MainWindow.h"

#include <QLineEdit>
#include <QToolBar>
#include <QVBoxLayout>

#include "ErrorDisplay.h"
#include "GlobalHotKey.h"
#include "Identity.h"
#include "IdleLock.h"
#include "Info.h"
#include "ListGlyphs.h"
#include "MainWindowTexts.h"
#include "MasterPasswordDialog.h"
#include "ProcessState.h"
#include "ProtectedRecords.h"
#include "RecordListModel.h"
#include "RecordListView.h"
#include "SecretClipboard.h"
#include "TrayIcon.h"

namespace quilor {

MainWindow::MainWindow(const MainWindowSetup& setup, QWidget* parent)
    : QMainWindow(parent), dataFilePath_(setup.dataFilePath) {
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

MainWindow::~MainWindow() = default;

void MainWindow::connectParts() {
  connect(secretClipboard_, &SecretClipboard::countdownStarted, this,
          &MainWindow::showCountdownStarted);
  connect(secretClipboard_, &SecretClipboard::countdownAdvanced, this,
          &MainWindow::showCountdownPosition);
  connect(secretClipboard_, &SecretClipboard::countdownEnded, this,
          &MainWindow::showCountdownEnded);
  connect(trayIcon_, &TrayIcon::unlockRequested, this, &MainWindow::unlockFromTray);
  connect(trayIcon_, &TrayIcon::recordChosen, this, &MainWindow::openTrayRecordWebAddress);
  connect(trayIcon_, &TrayIcon::closeRequested, this, &MainWindow::closeProgramFromTray);
  connect(trayIcon_, &TrayIcon::autoFillRequested, this, &MainWindow::autoFillFromAnywhere);
  connect(idleLock_, &IdleLock::idleTooLong, this, &MainWindow::lockAfterIdle);
}

void MainWindow::showLoginAtStart() {
  Guarded([this] {
    // A login that is abandoned asks the application to quit from inside the
    // dialog; the program then ends once this handler has returned.
    MasterPasswordDialog dialog(*this, dataFilePath_);
    dialog.exec();
  });
}

void MainWindow::loadRecords() {
  LoadSteps steps;
  steps.reportWrongPassword = [] {
    ShowInfo(QString::fromUtf8(kWrongMasterPasswordText));
    FocusPasswordAfterWrongLogin();
  };
  steps.refreshViews = [this] {
    buildTrayRecordMenu();
    fillRecordList();
    showRecordCount();
  };
  try {
    LoadRecords(records_, dataFilePath_, MasterPassword, steps);
  } catch (...) {
    // A load that stops leaves the table empty or partly deciphered: no row
    // may stay whose record is gone from it.
    if (listModel_->rowCount() > 0) {
      listModel_->setRows({});
      showRecordCount();
    }
    // The user has just been told why the list is empty.
    recordList_->setEmptyHint({});
    throw;
  }
}

bool MainWindow::idleTimeAvailable() const { return idleLock_->available(); }

void MainWindow::setIdleTimerActive(bool active) { idleLock_->setActive(active); }

}  // namespace quilor
