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
  row.caption = text(Field::Title);
  row.cells = {
      text(Field::Group),
      text(Field::Description),
      text(Field::WebAddress),
      text(Field::Code1),
      text(Field::Code2),
      formats.date(number(Field::CreatedDate)),
      formats.dateAndTime(number(Field::PasswordChangedDate), time(Field::PasswordChangedTime)),
      formats.dateAndTime(number(Field::Password2ChangedDate), time(Field::Password2ChangedTime)),
  };
  row.recordNumber = record.values[Field::RecordNumber].text;
  for (int f : {Field::Title, Field::Group, Field::Description, Field::WebAddress, Field::Code1,
                Field::Code2}) {
    if (f != Field::Title) row.searchText += ' ';
    row.searchText += record.values[f].text;
  }
  FoldInPlace(row.searchText);
  return row;
}

}  // namespace quilor
