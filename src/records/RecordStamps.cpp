#include "RecordStamps.h"

#include "DateTimeNumber.h"

namespace quilor {

QString MakeRecordNumber(const QDateTime& localTime, int randomPart) {
  return localTime.toString(QStringLiteral("yyyyMMddhhmmsszzz")) +
         QStringLiteral("%1").arg(randomPart, 4, 10, QLatin1Char('0'));
}

double DayNumber(const QDate& date) { return double(QDate(1899, 12, 30).daysTo(date)); }

double TimeOfDayNumber(const QTime& time) {
  return time.msecsSinceStartOfDay() / kMillisecondsPerDay;
}

}  // namespace quilor
