#pragma once

#include <QDateTime>
#include <QString>

namespace quilor {

// A new record's number: the local time as "yyyyMMddhhmmsszzz" (17 digits)
// followed by randomPart (0..999) as four digits, 21 characters in all.
QString MakeRecordNumber(const QDateTime& localTime, int randomPart);

// The day count since 1899-12-30 of a date, as the record's date fields hold it.
double DayNumber(const QDate& date);
// A time of day as the fraction of a day the record's time fields hold.
double TimeOfDayNumber(const QTime& time);

}  // namespace quilor
