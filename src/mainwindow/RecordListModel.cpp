#include "RecordListModel.h"

#include <algorithm>

#include "ListGlyphs.h"
#include "MainWindowTexts.h"
#include "SearchFold.h"

namespace quilor {

RecordListModel::RecordListModel(QObject* parent)
    : QAbstractTableModel(parent),
      padlock_(PadlockGlyph()),
      upArrow_(HeaderArrowGlyph(HeaderGlyph::UpArrow)),
      downArrow_(HeaderArrowGlyph(HeaderGlyph::DownArrow)) {}

void RecordListModel::setRows(std::vector<RecordRow> rows, const QString& search) {
  beginResetModel();
  rows_ = std::move(rows);
  chooseShown(search);
  endResetModel();
}

void RecordListModel::showMatching(const QString& search) {
  beginResetModel();
  chooseShown(search);
  endResetModel();
}

void RecordListModel::chooseShown(const QString& search) {
  shown_.clear();
  shown_.reserve(rows_.size());
  const RowMatcher matcher(search);
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (search.isEmpty() || matcher.matches(rows_[i])) shown_.push_back(i);
  }
}

int RecordListModel::rowOfRecord(const std::string& recordNumber) const {
  const auto found = std::find_if(shown_.begin(), shown_.end(), [&](std::size_t i) {
    return rows_[i].recordNumber == recordNumber;
  });
  return found == shown_.end() ? -1 : int(found - shown_.begin());
}

void RecordListModel::setHeaderGlyph(int column, HeaderGlyph glyph) {
  glyphColumn_ = column;
  glyph_ = glyph;
  emit headerDataChanged(Qt::Horizontal, 0, kListColumnCount - 1);
}

int RecordListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : int(shown_.size());
}

int RecordListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kListColumnCount;
}

QVariant RecordListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const RecordRow& r = row(index.row());
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
