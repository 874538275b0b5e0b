#include "RecordListModel.h"

#include <algorithm>

#include "ListGlyphs.h"
#include "MainWindowTexts.h"

namespace quilor {

RecordListModel::RecordListModel(QObject* parent)
    : QAbstractTableModel(parent),
      padlock_(PadlockGlyph()),
      upArrow_(HeaderArrowGlyph(HeaderGlyph::UpArrow)),
      downArrow_(HeaderArrowGlyph(HeaderGlyph::DownArrow)) {}

void RecordListModel::setRows(std::vector<RecordRow> rows) {
  beginResetModel();
  rows_ = std::move(rows);
  endResetModel();
}

int RecordListModel::rowOfRecord(const std::string& recordNumber) const {
  const auto found = std::find_if(rows_.begin(), rows_.end(), [&](const RecordRow& r) {
    return r.recordNumber == recordNumber;
  });
  return found == rows_.end() ? -1 : int(found - rows_.begin());
}

void RecordListModel::setHeaderGlyph(int column, HeaderGlyph glyph) {
  glyphColumn_ = column;
  glyph_ = glyph;
  emit headerDataChanged(Qt::Horizontal, 0, kListColumnCount - 1);
}

int RecordListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : int(rows_.size());
}

int RecordListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kListColumnCount;
}

QVariant RecordListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= int(rows_.size())) return {};
  const RecordRow& r = rows_[std::size_t(index.row())];
  switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
      return r.column(index.column());
    case Qt::DecorationRole:
      return index.column() == 0 ? QVariant(padlock_) : QVariant();
    default:
      return {};
  }
}

QVariant RecordListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= kListColumnCount) {
    return QAbstractTableModel::headerData(section, orientation, role);
  }
  switch (role) {
    case Qt::DisplayRole:
      return texts::kColumnCaptions[std::size_t(section)];
    case Qt::DecorationRole:
      if (section != glyphColumn_) return {};
      return glyph_ == HeaderGlyph::UpArrow ? upArrow_ : downArrow_;
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    default:
      return {};
  }
}

Qt::ItemFlags RecordListModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

}  // namespace quilor
