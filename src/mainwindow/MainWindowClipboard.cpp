// Copying a field of the selected record, and the countdown in the status
// bar until the clipboard is emptied again.
#include <QAction>
#include <QMenu>
#include <QProgressBar>

#include "Cp1254.h"
#include "ErrorDisplay.h"
#include "MainWindow.h"
#include "MainWindowTexts.h"
#include "SecretClipboard.h"

namespace quilor {

void MainWindow::enableRecordMenuItems() {
  Guarded([this] {
    const bool selected = hasSelectedRow();
    const bool unlocked = !locked();
    for (QAction* item : recordMenu_->actions()) {
      if (!item->isSeparator()) item->setEnabled(unlocked && (item == autoFillItem_ || selected));
    }
  });
}

void MainWindow::copyField(int field) {
  Guarded([this, field] {
    // Only the selected row's own record is copied; without it nothing is,
    // rather than whatever record happens to be current.
    if (locked() || !findSelectedRecord()) return;
    secretClipboard_->copy(FromCp1254(records().text(field)));
  });
}

void MainWindow::showCountdownStarted() {
  clipboardProgress_->setValue(0);
  clipboardProgress_->show();
  statusPanels_[0]->setText(texts::kClipboardCountingDown);
}

void MainWindow::showCountdownPosition(int position) { clipboardProgress_->setValue(position); }

void MainWindow::showCountdownEnded() {
  statusPanels_[0]->clear();
  clipboardProgress_->setValue(0);
  clipboardProgress_->hide();
}

}  // namespace quilor
