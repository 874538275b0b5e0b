#pragma once

#include <QAbstractTableModel>
#include <QIcon>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ColumnSort.h"
#include "RecordRow.h"
#include "RecordTable.h"

namespace quilor {

// The rows of the record list: every record of the table in table order, and
// those of them the search text matches, which are the ones shown. Per record
// the model keeps only the record's id and, from the first search on, its
// folded search text (all texts in one block); the cells are read from the
// table when the view paints a row, and the view paints only the rows in
// sight. A search only chooses among the records; the search texts are
// folded again only after the records are listed again. Every change is one
// step, so the view repaints once.
//
// Between two listings the table may change a record's values and gain
// records at its end, but not lose or reorder them: the window lists the
// records again after every such change. Until then a row whose record left
// its place shows nothing and names no record.
class RecordListModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit RecordListModel(QObject* parent = nullptr);

  // Lists the table's records and shows those search matches. The model
  // reads the table until the next listing or clear().
  void showRecords(const RecordTable& table, const QString& search);
  // Lists nothing, lets go of the table and wipes the search texts.
  void clear();
  // Shows the records search matches; all of them when it is empty.
  void showMatching(const QString& search);

  // What a shown row's record shows in a column; empty when the record left
  // its place.
  QString cellText(int row, int column) const;
  // The record number of a shown row's record; none when it left its place.
  std::optional<std::string> recordNumber(int row) const;
  // The shown row of the record with this number; -1 when no row shows it.
  int rowOfRecord(std::string_view recordNumber) const;

  // The dates as the cells show them, remembered for the whole run.
  const RowDateFormats& dateFormats() const { return dateFormats_; }

  // Only one column carries a sort glyph at a time.
  void setHeaderGlyph(int column, HeaderGlyph glyph);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

 private:
  void chooseShown(const QString& search);
  // The search texts of the listed records, in one block.
  void foldSearchTexts();
  std::string_view searchTextOf(std::size_t position) const;
  // The record listed at a position of the table; null when it is no longer there.
  const Record* listedRecord(std::size_t position) const;
  const Record* recordOfRow(int row) const;

  const RecordTable* table_ = nullptr;
  std::vector<int> recordIds_;  // by position in the table
  std::string searchTexts_;
  // Where each record's search text ends in searchTexts_ (it starts where
  // the one before ends); empty until a search needs them.
  std::vector<std::uint32_t> searchTextEnds_;
  std::vector<std::uint32_t> shown_;  // positions in the table
  RowDateFormats dateFormats_;
  QIcon padlock_;
  QIcon upArrow_;
  QIcon downArrow_;
  int glyphColumn_ = 0;
  HeaderGlyph glyph_ = HeaderGlyph::DownArrow;
};

}  // namespace quilor
