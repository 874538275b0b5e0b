#include "RecordRow.h"

#include <QDate>
#include <QTime>
#include <cmath>

#include "Cp1254.h"

namespace quilor {

namespace {

constexpr double kMillisecondsPerDay = 86400000.0;

// A stored time is a bare time of day: a zone name after it would claim
// something the record never said, so the zone part of the format goes.
QString WithoutTimeZone(const QString& format) {
  QString result;
  bool quoted = false;
  for (QChar c : format) {
    if (c == '\'') quoted = !quoted;
    if (!quoted && c == 't') continue;
    result += c;
  }
  return result.trimmed();
}

QDate DateOfDays(double days) { return QDate(1899, 12, 30).addDays(qint64(std::trunc(days))); }

QTime TimeOfDay(double dateTime) {
  const double fraction = std::fabs(dateTime - std::trunc(dateTime));
  const int ms = int(std::lround(fraction * kMillisecondsPerDay)) % int(kMillisecondsPerDay);
  return QTime::fromMSecsSinceStartOfDay(ms);
}

}  // namespace

RowDateFormats::RowDateFormats(const QLocale& locale)
    : locale_(locale),
      dateFormat_(locale.dateFormat(QLocale::ShortFormat)),
      timeFormat_(WithoutTimeZone(locale.timeFormat(QLocale::LongFormat))) {}

QString RowDateFormats::date(double days) const {
  if (!(days > 0)) return {};
  return locale_.toString(DateOfDays(days), dateFormat_);
}

QString RowDateFormats::dateAndTime(double days, std::optional<double> timeOfDay) const {
  if (!(days > 0)) return {};
  const QString time = timeOfDay ? locale_.toString(TimeOfDay(*timeOfDay), timeFormat_) : QString();
  return date(days) + ' ' + time;
}

RecordRow BuildRecordRow(const RecordTable& table, const RowDateFormats& formats) {
  auto text = [&](int f) { return FromCp1254(table.text(f)); };
  auto time = [&](int f) {
    return table.isNull(f) ? std::nullopt : std::optional<double>(table.number(f));
  };
  RecordRow row;
  row.caption = text(field::TANIMI);
  row.cells = {
      text(field::GRUBU),
      text(field::ACIKLAMA),
      text(field::WEBADRES),
      text(field::OZELKODU1),
      text(field::OZELKODU2),
      formats.date(table.number(field::KAYITTARIHI)),
      formats.dateAndTime(table.number(field::SIFREDEGISTIRMETARIH),
                          time(field::SIFREDEGISTIRMESAATI)),
      formats.dateAndTime(table.number(field::SIFRE2DEGISTIRMETARIHI),
                          time(field::SIFRE2DEGISTIRMESAATI)),
  };
  row.recordNumber = table.text(field::KAYITNO);
  return row;
}

}  // namespace quilor
