// Shown, hidden in the tray, and back: the window lock decides, the window
// and the tray icon show what it decided.
//
// A desktop without a notification area has nowhere to put the icon, and a
// hidden window could then never be reached again. There the locked window
// is minimised instead, its records covered by a page with one "Giriş"
// button, which asks for the master password as the icon's double-click does.
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include "CloseEveryDialog.h"
#include "ErrorDisplay.h"
#include "LoginTexts.h"
#include "MainWindow.h"
#include "MasterPasswordDialog.h"
#include "TrayIcon.h"

namespace quilor {

void MainWindow::showMainWindow() {
  windowLock_.loggedIn(false);
  showLockState();
}

void MainWindow::showTrayIcon() {
  windowLock_.loggedIn(true);
  showLockState();
}

void MainWindow::hideToTray() {
  Guarded([this] {
    if (windowLock_.windowShown()) lockWindow();
  });
}

void MainWindow::lockWindow() {
  // Before anything else: a question still open would act on the answer
  // given after the lock, on a window that holds no records any more.
  CloseEveryDialog();
  windowLock_.hide();
  showLockState();
}

void MainWindow::unlockFromTray() {
  Guarded([this] {
    if (MasterPasswordDialog::instance() != nullptr) return;
    if (!windowLock_.beginReAuthentication()) return;
    bool accepted = false;
    try {
      MasterPasswordDialog dialog(*this, session_.dataFilePath());
      dialog.setReAuthMode(true);
      dialog.exec();
      accepted = dialog.loginOk();
    } catch (...) {
      // Whatever went wrong, the window stays locked but can be asked for again.
      windowLock_.endReAuthentication(false);
      showLockState();
      throw;
    }
    windowLock_.endReAuthentication(accepted);
    showLockState();
  });
}

void MainWindow::lockAfterIdle() {
  Guarded([this] { lockWindow(); });
}

void MainWindow::showLockState() {
  showRecordsWhileUnlocked();
  // Nothing deciphered stays in memory while locked: the unlock reads the
  // file again.
  if (locked()) session_.lock();
  if (windowLock_.windowShown()) {
    trayIcon_->hide();
    coverRecords(false);
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    return;
  }
  if (!windowLock_.trayIconShown()) {
    hide();
    return;
  }
  if (trayIcon_->desktopHasTray()) {
    hide();
    trayIcon_->show();
    return;
  }
  coverRecords(true);
  // The window system may have restored the window behind our back; asking
  // for a state the window already has in our books would do nothing.
  setWindowState(windowState() & ~Qt::WindowMinimized);
  showMinimized();
}

void MainWindow::followTrayHost() {
  Guarded([this] {
    if (locked() && !isVisible() && !trayIcon_->desktopHasTray()) showLockState();
  });
}

void MainWindow::coverRecords(bool cover) {
  if (cover == (recordsUnderCover_ != nullptr)) return;
  menuBar()->setEnabled(!cover);
  statusBar()->setVisible(!cover);
  if (!cover) {
    // The cover goes later: its button may be what is being clicked.
    takeCentralWidget()->deleteLater();
    setCentralWidget(recordsUnderCover_);
    // Taken out of the window, it was hidden; back in, it shows with it.
    recordsUnderCover_->show();
    recordsUnderCover_ = nullptr;
    return;
  }
  recordsUnderCover_ = takeCentralWidget();
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  auto* unlock = new QPushButton(login_texts::kLogin, page);
  unlock->setObjectName(QStringLiteral("unlockButton"));
  connect(unlock, &QPushButton::clicked, this, &MainWindow::unlockFromTray);
  layout->addStretch(1);
  layout->addWidget(unlock, 0, Qt::AlignCenter);
  layout->addStretch(1);
  setCentralWidget(page);
  page->show();
  unlock->setFocus();
}

}  // namespace quilor
