#include "MainWindow.h"

#include <QApplication>
#include <QLineEdit>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

#include "ErrorDisplay.h"
#include "Identity.h"
#include "Info.h"
#include "ListGlyphs.h"
#include "MasterPasswordDialog.h"
#include "ProcessState.h"
#include "ProtectedRecords.h"

namespace quilor {

MainWindow::MainWindow(const MainWindowSetup& setup, QWidget* parent)
    : QMainWindow(parent),
      dataFilePath_(setup.dataFilePath),
      hotKey_(MakeGlobalHotKey()),
      idleProbe_(MakeIdleProbe()) {
  hotKey_->registerHotKey([] {});

  setObjectName(QStringLiteral("mainWindow"));
  setWindowTitle(MainCaption());
  trayIcon_.setToolTip(windowTitle());
  setWindowIcon(PadlockGlyph(32));
  trayIcon_.setIcon(windowIcon());
  connect(&trayIcon_, &QSystemTrayIcon::activated, this,
          [this](QSystemTrayIcon::ActivationReason reason) {
            if (reason == QSystemTrayIcon::DoubleClick) unlockFromTray();
          });
  resize(1000, 650);

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
  buildTrayMenu();
  // Typing right after the login searches; Tab moves on to the list.
  setTabOrder(searchBox_, recordList_);
  searchBox_->setFocus();

  if (setup.askForLoginAtStart) {
    QMetaObject::invokeMethod(this, &MainWindow::showLoginAtStart, Qt::QueuedConnection);
  }

  idleTimer_.setInterval(500);
  connect(&idleTimer_, &QTimer::timeout, this, &MainWindow::checkIdleTime);
  idleTimer_.start();
}

MainWindow::~MainWindow() = default;

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
  quilor::LoadRecords(records_, dataFilePath_, MasterPassword, steps);
}

void MainWindow::showMainWindow() { show(); }

void MainWindow::showTrayIcon() { trayIcon_.show(); }

void MainWindow::setIdleTimerActive(bool active) {
  if (active) {
    idleTimer_.start();
  } else {
    idleTimer_.stop();
  }
}

void MainWindow::checkIdleTime() {
  Guarded([this] {
    if (!isVisible()) return;
  });
}

}  // namespace quilor
