// Shown, hidden in the tray, and back: the window lock decides, the window
// and the tray icon show what it decided.
//
// A desktop without a notification area has nowhere to put the icon, and a
// hidden window could then never be reached again. There the locked window
// is minimised instead, with its records covered; bringing it back asks for
// the master password just as the tray icon's double-click does.
#include <QEvent>
#include <QMenuBar>

#include "AutoFillDialog.h"
#include "ChangeMasterPasswordDialog.h"
#include "ErrorDisplay.h"
#include "MainWindow.h"
#include "MasterPasswordDialog.h"
#include "RecordEditor.h"
#include "ScriptHelpDialog.h"
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
      showLockState();
      throw;
    }
    windowLock_.endReAuthentication(accepted);
    showLockState();
  });
}

void MainWindow::lockAfterIdle() {
  Guarded([this] {
    // The innermost dialog first. Each one's modal loop ends once this
    // handler has returned.
    if (ScriptHelpDialog* help = ScriptHelpDialog::instance()) help->reject();
    if (RecordEditor* editor = RecordEditor::instance()) editor->discardChangesAndClose();
    if (ChangeMasterPasswordDialog* change = ChangeMasterPasswordDialog::instance())
      change->reject();
    if (AutoFillDialog* autoFill = AutoFillDialog::current()) autoFill->reject();
    windowLock_.hide();
    showLockState();
  });
}

void MainWindow::showLockState() {
  const bool locked = windowLock_.trayIconShown();
  centralWidget()->setVisible(!locked);
  menuBar()->setEnabled(!locked);
  if (windowLock_.windowShown()) {
    trayIcon_->hide();
    if (isMinimized()) {
      showNormal();
    } else {
      show();
    }
    return;
  }
  if (!locked) {
    hide();
    return;
  }
  if (trayIcon_->desktopHasTray()) {
    hide();
    trayIcon_->show();
  } else {
    showMinimized();
  }
}

void MainWindow::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  // Only without a tray is a locked window ever on the desktop: when the
  // user brings it back from minimised, the password is asked.
  if (event->type() != QEvent::WindowStateChange || isMinimized() || !isVisible()) return;
  if (windowLock_.state() != WindowLock::State::Hidden) return;
  // After the window system's event has been handled, not inside it.
  QMetaObject::invokeMethod(this, &MainWindow::unlockFromTray, Qt::QueuedConnection);
}

}  // namespace quilor
