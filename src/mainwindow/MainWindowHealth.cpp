// The password health report, and opening one of its records in the editor.
#include <QLineEdit>

#include "ErrorDisplay.h"
#include "MainWindow.h"
#include "PasswordHealthDialog.h"
#include "RecordListModel.h"

namespace quilor {

void MainWindow::openPasswordHealth() {
  Guarded([this] {
    PasswordHealthDialog dialog(
        windowTitle(), records(),
        [this](const std::string& recordNumber) { editRecordFromReport(recordNumber); }, this);
    dialog.exec();
  });
}

// The editor works on the list's selected row: the record is selected there
// first, after clearing a search that hides it.
void MainWindow::editRecordFromReport(const std::string& recordNumber) {
  int row = listModel_->rowOfRecord(recordNumber);
  if (row < 0 && !searchBox_->text().isEmpty()) {
    searchBox_->clear();
    row = listModel_->rowOfRecord(recordNumber);
  }
  if (row < 0) return;
  selectListRow(row);
  editSelectedRecord();
}

}  // namespace quilor
