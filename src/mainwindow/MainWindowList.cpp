// The record list: filling, sorting by header click, search and count.
#include <QLineEdit>
#include <QTimer>
#include <optional>
#include <string>

#include "ColumnSort.h"
#include "ErrorDisplay.h"
#include "MainWindow.h"
#include "MainWindowTexts.h"
#include "RecordListModel.h"
#include "RecordListView.h"

namespace quilor {

void MainWindow::fillRecordList() {
  RecordTable& table = records();
  table.sortByField(sortState_.field, true, sortState_.descending);
  // A reload while locked (a search timer that was due, a dialog's save)
  // keeps the table current but shows none of it.
  if (locked()) {
    listModel_->clear();
  } else {
    listModel_->showRecords(table, searchBox_->text());
  }
  showEmptyListHint();
}

void MainWindow::showEmptyListHint() {
  if (locked()) {
    recordList_->setEmptyHint({});
    return;
  }
  recordList_->setEmptyHint(records().isEmpty() ? texts::kNoRecordsHint : texts::kNothingFoundHint);
}

void MainWindow::showRecordCount() {
  if (locked()) {
    statusPanels_[2]->clear();
    return;
  }
  statusPanels_[2]->setText(texts::kRecordCountPrefix + QString::number(listModel_->rowCount()) +
                            texts::kRecordCountSuffix);
}

void MainWindow::applySearch() {
  if (session_.changedSinceRead()) {
    // The read refreshes the list, with the search, and the count.
    loadRecords();
    return;
  }
  listModel_->showMatching(searchBox_->text());
  showEmptyListHint();
  showRecordCount();
}

bool MainWindow::hasSelectedRow() const { return recordList_->selectionModel()->hasSelection(); }

void MainWindow::rememberSelectedRecord() {
  const int row = selectedListRow();
  selectedRecordNumber_ = row < 0 ? std::string() : listModel_->recordNumber(row).value_or("");
}

void MainWindow::reselectRememberedRecord() {
  // The locked window's empty list keeps the number for the rows that come
  // back on unlocking. Otherwise rows without the record forget it, so that
  // no command acts on a row the user did not choose.
  if (selectedRecordNumber_.empty() || locked()) return;
  if (listModel_->rowOfRecord(selectedRecordNumber_) < 0) {
    selectedRecordNumber_.clear();
    return;
  }
  selectRecord(selectedRecordNumber_);
}

void MainWindow::selectRecord(const std::string& recordNumber) {
  const int row = listModel_->rowOfRecord(recordNumber);
  if (row >= 0) selectListRow(row);
}

bool MainWindow::findSelectedRecord() {
  const QModelIndexList selected = recordList_->selectionModel()->selectedRows();
  if (selected.isEmpty()) return false;
  const std::optional<std::string> number = listModel_->recordNumber(selected.first().row());
  return number && records().locate(*number);
}

void MainWindow::sortByColumn(int column) {
  Guarded([&] {
    if (locked()) return;
    const ColumnClickResult click = ClickColumn(sortState_, column);
    sortState_ = click.state;
    listModel_->setHeaderGlyph(click.glyphColumn, click.glyph);
    fillRecordList();
    showRecordCount();
  });
}

void MainWindow::searchTextChanged(const QString& text) {
  Guarded([&] {
    if (locked()) return;
    if (!text.isEmpty()) {
      searchDelay_->start();
      return;
    }
    searchDelay_->stop();
    applySearch();
  });
}

void MainWindow::applySearchAfterDelay() {
  Guarded([this] {
    searchDelay_->stop();
    if (locked()) return;
    applySearch();
  });
}

void MainWindow::clearSearch() {
  Guarded([this] { searchBox_->clear(); });
}

}  // namespace quilor
