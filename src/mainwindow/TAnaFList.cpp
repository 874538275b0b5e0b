// The record list: filling, sorting by header click, search and count.
#include <QLineEdit>
#include <QTableView>
#include <vector>

#include "ColumnSort.h"
#include "ErrorDisplay.h"
#include "MainWindowTexts.h"
#include "ProcessState.h"
#include "RecordListModel.h"
#include "RecordRow.h"
#include "SearchFold.h"
#include "TAnaF.h"

namespace quilor {

void TAnaF::FillRecordList() {
  rxSifre_.sortByField(SortField, true, SortDescending);
  std::vector<RecordRow> rows;
  rows.reserve(rxSifre_.recordCount());
  for (rxSifre_.first(); !rxSifre_.eof(); rxSifre_.next()) {
    rows.push_back(BuildRecordRow(rxSifre_, rowDateFormats_));
  }
  listModel_->setRows(std::move(rows));
}

void TAnaF::ShowRecordCount() {
  statusPanels_[2]->setText(texts::kRecordCountPrefix + QString::number(listModel_->rowCount()) +
                            texts::kRecordCountSuffix);
}

void TAnaF::ApplySearch(const QString& searchText) {
  LoadRecords();
  const RowMatcher matcher(searchText);
  listModel_->keepRows([&](const RecordRow& row) { return matcher.matches(row); });
  ShowRecordCount();
}

bool TAnaF::hasSelectedRow() const { return sListViewSifre_->selectionModel()->hasSelection(); }

bool TAnaF::FindSelectedRecord() {
  const QModelIndexList selected = sListViewSifre_->selectionModel()->selectedRows();
  if (selected.isEmpty()) return false;
  return rxSifre_.locate(listModel_->row(selected.first().row()).recordNumber);
}

void TAnaF::sListViewSifreColumnClick(int column) {
  Guarded([&] {
    const ColumnClickResult click = ClickColumn({SortField, SortDescending}, column);
    SortField = click.state.field;
    SortDescending = click.state.descending;
    listModel_->setHeaderGlyph(click.glyphColumn, click.glyph);
    FillRecordList();
  });
}

void TAnaF::sEditAramaChange(const QString& text) {
  Guarded([&] {
    if (!text.isEmpty()) {
      timerKeypress_->start();
      return;
    }
    timerKeypress_->stop();
    LoadRecords();
  });
}

void TAnaF::TimerKeypressTimer() {
  Guarded([this] {
    timerKeypress_->stop();
    ApplySearch(sEditArama_->text());
  });
}

void TAnaF::sBitBtn1Click() {
  Guarded([this] { sEditArama_->clear(); });
}

}  // namespace quilor
