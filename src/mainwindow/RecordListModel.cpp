#include "RecordListModel.h"

#include "ListGlyphs.h"
#include "MainWindowTexts.h"
#include "SearchFold.h"
#include "SecureWipe.h"

namespace quilor {

RecordListModel::RecordListModel(QObject* parent)
    : QAbstractTableModel(parent),
      padlock_(PadlockGlyph()),
      upArrow_(HeaderArrowGlyph(HeaderGlyph::UpArrow)),
      downArrow_(HeaderArrowGlyph(HeaderGlyph::DownArrow)) {}

void RecordListModel::showRecords(const RecordTable& table, const QString& search) {
  beginResetModel();
  table_ = &table;
  recordIds_.clear();
  recordIds_.reserve(table.recordCount());
  for (std::size_t position = 0; position < table.recordCount(); ++position)
    recordIds_.push_back(table.recordAt(position).recordId);
  searchTexts_.clear();
  searchTextEnds_.clear();
  chooseShown(search);
  endResetModel();
}

void RecordListModel::clear() {
  beginResetModel();
  table_ = nullptr;
  recordIds_ = {};
  WipeText(searchTexts_);
  searchTexts_.shrink_to_fit();
  searchTextEnds_ = {};
  shown_ = {};
  endResetModel();
}

void RecordListModel::showMatching(const QString& search) {
  beginResetModel();
  chooseShown(search);
  endResetModel();
}

void RecordListModel::chooseShown(const QString& search) {
  shown_.clear();
  shown_.reserve(recordIds_.size());
  if (search.isEmpty()) {
    for (std::size_t position = 0; position < recordIds_.size(); ++position)
      shown_.push_back(static_cast<std::uint32_t>(position));
    return;
  }
  if (searchTextEnds_.size() != recordIds_.size()) foldSearchTexts();
  const RowMatcher matcher(search);
  for (std::size_t position = 0; position < recordIds_.size(); ++position) {
    if (matcher.matches(searchTextOf(position)))
      shown_.push_back(static_cast<std::uint32_t>(position));
  }
}

void RecordListModel::foldSearchTexts() {
  searchTextEnds_.reserve(recordIds_.size());
  for (std::size_t position = 0; position < recordIds_.size(); ++position) {
    if (const Record* record = listedRecord(position)) AppendRowSearchText(*record, searchTexts_);
    searchTextEnds_.push_back(static_cast<std::uint32_t>(searchTexts_.size()));
  }
}

std::string_view RecordListModel::searchTextOf(std::size_t position) const {
  const std::size_t start = position == 0 ? 0 : searchTextEnds_[position - 1];
  return std::string_view(searchTexts_).substr(start, searchTextEnds_[position] - start);
}

const Record* RecordListModel::listedRecord(std::size_t position) const {
  if (table_ == nullptr || position >= recordIds_.size() || position >= table_->recordCount())
    return nullptr;
  const Record& record = table_->recordAt(position);
  return record.recordId == recordIds_[position] ? &record : nullptr;
}

const Record* RecordListModel::recordOfRow(int row) const {
  if (row < 0 || std::size_t(row) >= shown_.size()) return nullptr;
  return listedRecord(shown_[std::size_t(row)]);
}

QString RecordListModel::cellText(int row, int column) const {
  const Record* record = recordOfRow(row);
  return record == nullptr ? QString() : RowCellText(*record, column, dateFormats_);
}

std::optional<std::string> RecordListModel::recordNumber(int row) const {
  const Record* record = recordOfRow(row);
  if (record == nullptr) return std::nullopt;
  return std::string(record->values[Field::RecordNumber].text);
}

int RecordListModel::rowOfRecord(std::string_view recordNumber) const {
  for (int row = 0; row < rowCount(); ++row) {
    const Record* record = recordOfRow(row);
    if (record != nullptr && record->values[Field::RecordNumber].text == recordNumber) return row;
  }
  return -1;
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
  switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
      return cellText(index.row(), index.column());
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
