// Shown, hidden in the tray, and back: the window lock decides, the window
// and the tray icon show what it decided.
#include "ErrorDisplay.h"
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
    windowLock_.hide();
    showLockState();
  });
}

void MainWindow::unlockFromTray() {
  Guarded([this] {
    if (MasterPasswordDialog::instance() != nullptr) return;
    if (!windowLock_.beginReAuthentication()) return;
    bool accepted = false;
    try {
      MasterPasswordDialog dialog(*this, dataFilePath_);
      dialog.setReAuthMode(true);
      dialog.exec();
      accepted = dialog.loginOk();
    } catch (...) {
      // Whatever went wrong, the window stays locked but can be asked for again.
      windowLock_.endReAuthentication(false);
      throw;
    }
    windowLock_.endReAuthentication(accepted);
    showLockState();
  });
}

void MainWindow::showLockState() {
  if (windowLock_.windowShown()) {
    trayIcon_->hide();
    show();
  } else {
    hide();
    if (windowLock_.trayIconShown()) trayIcon_->show();
  }
}

}  // namespace quilor
