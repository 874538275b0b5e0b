// What the window shows of the records while it is locked: nothing. The
// list, the search box and the count are emptied and the record commands
// switched off; the right password brings the list back as it was.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTimer>

#include "MainWindow.h"
#include "RecordListModel.h"
#include "RecordListView.h"

namespace quilor {

void MainWindow::showRecordsWhileUnlocked() {
  if (locked() && !heldView_) emptyRecordViews();
  if (!locked() && heldView_) restoreRecordViews();
  enableRecordCommands();
}

void MainWindow::emptyRecordViews() {
  heldView_ = HeldView{searchBox_->text()};
  searchDelay_->stop();
  {
    // Emptied without a search: the table stays as it is.
    const QSignalBlocker quiet(searchBox_);
    searchBox_->setText(QString());
  }
  listModel_->clear();
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
}

void MainWindow::enableRecordCommands() {
  const bool unlocked = !locked();
  for (QAction* command : recordCommands_) command->setEnabled(unlocked);
  recordList_->setEnabled(unlocked);
  searchPanel_->setEnabled(unlocked);
  enableRecordMenuItems();
}

}  // namespace quilor
