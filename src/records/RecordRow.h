#pragma once

#include <QLocale>
#include <QString>
#include <optional>
#include <string>
#include <unordered_map>

#include "RecordTable.h"

namespace quilor {

inline constexpr int kListColumnCount = 9;

// How the date cells read: the user's short date format and long time format.
// Texts are remembered per day and per second, since a list shows the same
// dates many times and formatting is the costly part of painting a row.
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

// What a row of the record list shows of a record in a column: the caption
// (column 0), then the group, description, web address, the two special
// codes and the three dates (columns 1 to 8). Made when the list paints the
// row, so that a list of thousands keeps no texts of its own.
QString RowCellText(const Record& record, int column, const RowDateFormats& formats);

// What a search looks in, appended to out: the caption and cells 1 to 5
// joined by single blanks, so that a search text may run across two cells,
// folded (SearchFold.h). Windows-1254 bytes.
void AppendRowSearchText(const Record& record, std::string& out);

}  // namespace quilor
