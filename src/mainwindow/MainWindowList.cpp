// The record list: filling, sorting by header click, search and count.
#include <QLineEdit>
#include <QTimer>
#include <vector>

#include "ColumnSort.h"
#include "ErrorDisplay.h"
#include "MainWindow.h"
#include "MainWindowTexts.h"
#include "RecordListModel.h"
#include "RecordListView.h"
#include "RecordRow.h"

namespace quilor {

void MainWindow::fillRecordList() {
  RecordTable& table = records();
  table.sortByField(sortState_.field, true, sortState_.descending);
  std::vector<RecordRow> rows;
  rows.reserve(table.recordCount());
  for (table.first(); !table.eof(); table.next()) {
    rows.push_back(BuildRecordRow(table, rowDateFormats_));
  }
  // A reload while locked (a search timer that was due, a dialog's save)
  // keeps the table current but shows none of it.
  if (locked()) rows.clear();
  listModel_->setRows(std::move(rows), searchBox_->text());
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

bool MainWindow::findSelectedRecord() {
  const QModelIndexList selected = recordList_->selectionModel()->selectedRows();
  if (selected.isEmpty()) return false;
  return records().locate(listModel_->row(selected.first().row()).recordNumber);
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
    // The first match is ready for a copy or for Down into the list.
    if (listModel_->rowCount() > 0) selectListRow(0);
  });
}

void MainWindow::clearSearch() {
  Guarded([this] { searchBox_->clear(); });
}

}  // namespace quilor
