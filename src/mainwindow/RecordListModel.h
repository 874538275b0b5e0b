#pragma once

#include <QAbstractTableModel>
#include <QIcon>
#include <vector>

#include "ColumnSort.h"
#include "RecordRow.h"

namespace quilor {

// The rows of the record list: every row of the table in list order, and
// those of them the search text matches, which are the ones shown. A search
// only chooses among the rows; the rows are built again only when the table
// changes. Every change is one step, so the view repaints once.
class RecordListModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit RecordListModel(QObject* parent = nullptr);

  void setRows(std::vector<RecordRow> rows, const QString& search);
  // Shows the rows search matches; all of them when it is empty.
  void showMatching(const QString& search);
  // A shown row.
  const RecordRow& row(int index) const { return rows_[shown_.at(std::size_t(index))]; }
  // The shown row of the record with this number; -1 when no row shows it.
  int rowOfRecord(const std::string& recordNumber) const;

  // Only one column carries a sort glyph at a time.
  void setHeaderGlyph(int column, HeaderGlyph glyph);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

 private:
  void chooseShown(const QString& search);

  std::vector<RecordRow> rows_;
  std::vector<std::size_t> shown_;
  QIcon padlock_;
  QIcon upArrow_;
  QIcon downArrow_;
  int glyphColumn_ = 0;
  HeaderGlyph glyph_ = HeaderGlyph::DownArrow;
};

}  // namespace quilor
