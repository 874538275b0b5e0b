// Shown, hidden in the tray, and back: the window lock decides, the window
// and the tray icon show what it decided.
//
// A desktop without a notification area has nowhere to put the icon, and a
// hidden window could then never be reached again. There the locked window
// is minimised instead, its records covered by a page with one "Giriş"
// button, which asks for the master password as the icon's double-click does.
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include "CloseEveryDialog.h"
#include "ErrorDisplay.h"
#include "LoginTexts.h"
#include "MainWindow.h"
#include "MasterPasswordDialog.h"
#include "RecordListModel.h"
#include "RecordListView.h"
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
  Guarded([this] { lockWindow(); });
}

void MainWindow::showLockState() {
  showRecordsWhileUnlocked();
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

void MainWindow::showRecordsWhileUnlocked() {
  if (locked() && !heldView_) emptyRecordViews();
  if (!locked() && heldView_) restoreRecordViews();
  enableRecordCommands();
}

void MainWindow::emptyRecordViews() {
  HeldView held{searchBox_->text(), {}};
  const QModelIndexList selected = recordList_->selectionModel()->selectedRows();
  if (!selected.isEmpty())
    held.selectedRecord = listModel_->row(selected.first().row()).recordNumber;
  heldView_ = std::move(held);
  searchDelay_->stop();
  {
    // Emptied without a search: the table stays as it is.
    const QSignalBlocker quiet(searchBox_);
    searchBox_->setText(QString());
  }
  listModel_->setRows({});
  recordList_->setEmptyHint({});
  statusPanels_[2]->clear();
}

void MainWindow::restoreRecordViews() {
  const HeldView held = std::move(*heldView_);
  heldView_.reset();
  {
    const QSignalBlocker quiet(searchBox_);
    searchBox_->setText(held.searchText);
  }
  fillRecordList();
  showRecordCount();
  if (!held.selectedRecord.empty()) selectRecordNumber(held.selectedRecord);
}

void MainWindow::selectRecordNumber(const std::string& recordNumber) {
  for (int row = 0; row < listModel_->rowCount(); ++row) {
    if (listModel_->row(row).recordNumber == recordNumber) {
      selectListRow(row);
      return;
    }
  }
}

void MainWindow::enableRecordCommands() {
  const bool unlocked = !locked();
  for (QAction* command : recordCommands_) command->setEnabled(unlocked);
  recordList_->setEnabled(unlocked);
  searchPanel_->setEnabled(unlocked);
  enableRecordMenuItems();
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
