// Creating and changing records through the record editor, and changing the
// master password: the commands, and what the editor reads of the window.
#include <QDate>
#include <QItemSelectionModel>
#include <QLineEdit>

#include "ChangeMasterPasswordDialog.h"
#include "ErrorDisplay.h"
#include "Info.h"
#include "MainWindow.h"
#include "MainWindowTexts.h"
#include "RecordEditor.h"
#include "RecordListModel.h"
#include "RecordListView.h"
#include "RecordStamps.h"
#include "SilentAbort.h"

namespace quilor {

void MainWindow::newRecord() {
  Guarded([this] {
    if (locked()) return;
    RecordEditor editor(*this, this);
    editor.setMode(RecordEditor::Mode::NewRecord);
    editor.setRecordDate(DayNumber(QDate::currentDate()));
    editor.exec();
  });
}

void MainWindow::editSelectedRecord() {
  Guarded([this] {
    if (locked()) return;
    AbortWithInfo(!hasSelectedRow(), texts::kSelectRecordFirst);
    // The editor opens on the table's current record also when the locate
    // missed; the row came from the table, so it does not miss.
    findSelectedRecord();
    RecordEditor editor(*this, this);
    editor.loadRecord();
    editor.setMode(RecordEditor::Mode::EditRecord);
    editor.exec();
  });
}

void MainWindow::openChangeMasterPassword() {
  Guarded([this] {
    if (locked()) return;
    ChangeMasterPasswordDialog dialog(*this, this);
    dialog.exec();
  });
}

QStringList MainWindow::listedGroups() const {
  QStringList groups;
  for (int row = 0; row < listModel_->rowCount(); ++row) groups << listModel_->cellText(row, 1);
  return groups;
}

int MainWindow::listedRowCount() const { return listModel_->rowCount(); }

int MainWindow::selectedListRow() const {
  const QModelIndexList selected = recordList_->selectionModel()->selectedRows();
  return selected.isEmpty() ? -1 : selected.first().row();
}

void MainWindow::selectListRow(int row) {
  const QModelIndex index = listModel_->index(row, 0);
  recordList_->selectionModel()->setCurrentIndex(
      index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  recordList_->scrollTo(index);
}

void MainWindow::saveRecords(int enteredRecordId) {
  // Whatever dialog still asks to save, a locked window writes nothing.
  if (locked()) throw SilentAbort{};
  RecordTable& table = records();
  TableChange change;
  for (table.first(); !table.eof(); table.next()) {
    if (table.recordId() == enteredRecordId) {
      change.written.push_back(table.text(Field::RecordNumber));
    }
  }
  SaveOutcome outcome = SaveOutcome::Written;
  readKeepingListHonest([&] { outcome = session_.save(change); });
  tellSaveOutcome(outcome, texts::kRecordChangedElsewhere);
}

}  // namespace quilor
