#pragma once

#include <QDate>

namespace quilor {

// Today's day count since 1899-12-30, as the records' date fields count.
inline long long TodayDayNumber() { return QDate(1899, 12, 30).daysTo(QDate::currentDate()); }

}  // namespace quilor
