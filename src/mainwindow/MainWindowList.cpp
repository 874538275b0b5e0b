// The record list: filling, sorting by header click, search and count.
#include <QLineEdit>
#include <QTimer>
#include <algorithm>
#include <vector>

#include "ColumnSort.h"
#include "ErrorDisplay.h"
#include "MainWindow.h"
#include "MainWindowTexts.h"
#include "ProcessState.h"
#include "RecordListModel.h"
#include "RecordListView.h"
#include "RecordRow.h"
#include "SearchFold.h"

namespace quilor {

void MainWindow::fillRecordList() {
  records_.sortByField(SortField, true, SortDescending);
  std::vector<RecordRow> rows;
  rows.reserve(records_.recordCount());
  for (records_.first(); !records_.eof(); records_.next()) {
    rows.push_back(BuildRecordRow(records_, rowDateFormats_));
  }
  const QString search = searchBox_->text();
  if (!search.isEmpty()) {
    const RowMatcher matcher(search);
    std::erase_if(rows, [&](const RecordRow& row) { return !matcher.matches(row); });
  }
  listModel_->setRows(std::move(rows));
  showEmptyListHint();
}

void MainWindow::showEmptyListHint() {
  recordList_->setEmptyHint(records_.isEmpty() ? texts::kNoRecordsHint : texts::kNothingFoundHint);
}

void MainWindow::showRecordCount() {
  statusPanels_[2]->setText(texts::kRecordCountPrefix + QString::number(listModel_->rowCount()) +
                            texts::kRecordCountSuffix);
}

void MainWindow::applySearch() { loadRecords(); }

bool MainWindow::hasSelectedRow() const { return recordList_->selectionModel()->hasSelection(); }

void MainWindow::rememberSelectedRecord() {
  const int row = selectedListRow();
  selectedRecordNumber_ = row < 0 ? std::string() : listModel_->row(row).recordNumber;
}

void MainWindow::reselectRememberedRecord() {
  // An empty list (locked, or a search that found nothing) keeps the number
  // for the rows that come back; rows without the record forget it, so no
  // command acts on a row the user did not choose.
  if (selectedRecordNumber_.empty() || listModel_->rowCount() == 0) return;
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
  return records_.locate(listModel_->row(selected.first().row()).recordNumber);
}

void MainWindow::sortByColumn(int column) {
  Guarded([&] {
    const ColumnClickResult click = ClickColumn({SortField, SortDescending}, column);
    SortField = click.state.field;
    SortDescending = click.state.descending;
    listModel_->setHeaderGlyph(click.glyphColumn, click.glyph);
    fillRecordList();
    showRecordCount();
  });
}

void MainWindow::searchTextChanged(const QString& text) {
  Guarded([&] {
    if (!text.isEmpty()) {
      searchDelay_->start();
      return;
    }
    searchDelay_->stop();
    loadRecords();
  });
}

void MainWindow::applySearchAfterDelay() {
  Guarded([this] {
    searchDelay_->stop();
    applySearch();
  });
}

void MainWindow::clearSearch() {
  Guarded([this] { searchBox_->clear(); });
}

}  // namespace quilor
