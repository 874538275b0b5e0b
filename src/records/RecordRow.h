#pragma once

#include <QLocale>
#include <QString>
#include <array>
#include <optional>
#include <string>
#include <unordered_map>

#include "RecordTable.h"

namespace quilor {

inline constexpr int kListColumnCount = 9;

// One row of the record list: the caption (column 0), the eight visible cells
// (columns 1 to 8) and, out of sight, the record number the commands use to
// find the record in the table.
struct RecordRow {
  QString caption;
  std::array<QString, kListColumnCount - 1> cells;
  std::string recordNumber;  // ALAN1, Windows-1254 bytes
  // What a search looks in, folded once when the row is built: the caption
  // and cells 1 to 5 (group, description, web address, special codes) joined
  // by single blanks, so that a search text may run across two cells.
  // Windows-1254 bytes.
  std::string searchText;

  const QString& column(int index) const { return index == 0 ? caption : cells[index - 1]; }
};

// How the date cells read: the user's short date format and long time format.
// Texts are remembered per day and per second, since a list shows the same
// dates many times and formatting is the costly part of building a row.
class RowDateFormats {
 public:
  explicit RowDateFormats(const QLocale& locale = QLocale::system());

  // The date of a day count since 1899-12-30; empty when the count is not
  // above zero or beyond 9999-12-31.
  QString date(double days) const;
  // Date, one blank, time of day; empty when there is no date to show. A
  // time that was never set reads as nothing, leaving the date and the blank.
  QString dateAndTime(double days, std::optional<double> timeOfDay) const;

 private:
  QString time(double timeOfDay) const;

  QLocale locale_;
  QString dateFormat_;
  QString timeFormat_;
  mutable std::unordered_map<qint64, QString> dates_;
  mutable std::unordered_map<int, QString> times_;
};

// The row for the table's current record.
RecordRow BuildRecordRow(const RecordTable& table, const RowDateFormats& formats);

}  // namespace quilor
