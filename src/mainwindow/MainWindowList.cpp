// The record list: filling, sorting by header click, search and count.
#include <QLineEdit>
#include <QTableView>
#include <QTimer>
#include <vector>

#include "ColumnSort.h"
#include "ErrorDisplay.h"
#include "MainWindow.h"
#include "MainWindowTexts.h"
#include "ProcessState.h"
#include "RecordListModel.h"
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
  listModel_->setRows(std::move(rows));
}

void MainWindow::showRecordCount() {
  statusPanels_[2]->setText(texts::kRecordCountPrefix + QString::number(listModel_->rowCount()) +
                            texts::kRecordCountSuffix);
}

void MainWindow::applySearch(const QString& searchText) {
  loadRecords();
  const RowMatcher matcher(searchText);
  listModel_->keepRows([&](const RecordRow& row) { return matcher.matches(row); });
  showRecordCount();
}

bool MainWindow::hasSelectedRow() const { return recordList_->selectionModel()->hasSelection(); }

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
    applySearch(searchBox_->text());
  });
}

void MainWindow::clearSearch() {
  Guarded([this] { searchBox_->clear(); });
}

}  // namespace quilor
