#include "RecordRow.h"

#include <QDate>
#include <QTime>

#include "Cp1254.h"
#include "DateTimeNumber.h"
#include "SearchFold.h"

namespace quilor {

namespace {

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

}  // namespace

RowDateFormats::RowDateFormats(const QLocale& locale)
    : locale_(locale),
      dateFormat_(locale.dateFormat(QLocale::ShortFormat)),
      timeFormat_(WithoutTimeZone(locale.timeFormat(QLocale::LongFormat))) {}

QString RowDateFormats::date(double days) const {
  const auto day = ShownDay(days);
  if (!day) return {};
  auto [it, added] = dates_.try_emplace(*day);
  if (added) it->second = locale_.toString(QDate(1899, 12, 30).addDays(*day), dateFormat_);
  return it->second;
}

QString RowDateFormats::time(double timeOfDay) const {
  const int ms = TimeOfDayMilliseconds(timeOfDay);
  auto [it, added] = times_.try_emplace(ms);
  if (added) it->second = locale_.toString(QTime::fromMSecsSinceStartOfDay(ms), timeFormat_);
  return it->second;
}

QString RowDateFormats::dateAndTime(double days, std::optional<double> timeOfDay) const {
  if (!ShownDay(days)) return {};
  return date(days) + ' ' + (timeOfDay ? time(*timeOfDay) : QString());
}

RecordRow BuildRecordRow(const RecordTable& table, const RowDateFormats& formats) {
  // Read in place: a list of thousands of rows is rebuilt on every search.
  const Record& record = table.current();
  auto text = [&](int f) { return FromCp1254(record.values[f].text); };
  auto number = [&](int f) { return record.values[f].isNull ? 0.0 : record.values[f].number; };
  auto time = [&](int f) {
    return record.values[f].isNull ? std::nullopt : std::optional<double>(record.values[f].number);
  };
  RecordRow row;
  row.caption = text(field::TANIMI);
  row.cells = {
      text(field::GRUBU),
      text(field::ACIKLAMA),
      text(field::WEBADRES),
      text(field::OZELKODU1),
      text(field::OZELKODU2),
      formats.date(number(field::KAYITTARIHI)),
      formats.dateAndTime(number(field::SIFREDEGISTIRMETARIH), time(field::SIFREDEGISTIRMESAATI)),
      formats.dateAndTime(number(field::SIFRE2DEGISTIRMETARIHI),
                          time(field::SIFRE2DEGISTIRMESAATI)),
  };
  row.recordNumber = record.values[field::KAYITNO].text;
  for (int f : {field::TANIMI, field::GRUBU, field::ACIKLAMA, field::WEBADRES, field::OZELKODU1,
                field::OZELKODU2}) {
    if (f != field::TANIMI) row.searchText += ' ';
    row.searchText += record.values[f].text;
  }
  FoldInPlace(row.searchText);
  return row;
}

}  // namespace quilor
