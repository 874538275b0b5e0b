#include "RecordRow.h"

#include <QDate>
#include <QTime>
#include <iterator>
#include <span>

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

// A null date reads as no date, whatever number it holds.
double DateOf(const Record& record, int field) {
  const auto& value = record.values[field];
  return value.isNull ? 0.0 : value.number;
}

std::optional<double> TimeOf(const Record& record, int field) {
  const auto& value = record.values[field];
  return value.isNull ? std::nullopt : std::optional<double>(value.number);
}

// The text fields of columns 0 to 5, in column order.
constexpr int kTextColumnFields[] = {Field::Title,      Field::Group, Field::Description,
                                     Field::WebAddress, Field::Code1, Field::Code2};

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

QString RowCellText(const Record& record, int column, const RowDateFormats& formats) {
  if (column >= 0 && column < int(std::size(kTextColumnFields)))
    return FromCp1254(record.values[kTextColumnFields[column]].text);
  switch (column) {
    case 6:
      return formats.date(DateOf(record, Field::CreatedDate));
    case 7:
      return formats.dateAndTime(DateOf(record, Field::PasswordChangedDate),
                                 TimeOf(record, Field::PasswordChangedTime));
    case 8:
      return formats.dateAndTime(DateOf(record, Field::Password2ChangedDate),
                                 TimeOf(record, Field::Password2ChangedTime));
    default:
      return {};
  }
}

void AppendRowSearchText(const Record& record, std::string& out) {
  const std::size_t start = out.size();
  for (int f : kTextColumnFields) {
    if (f != Field::Title) out += ' ';
    out += record.values[f].text;
  }
  FoldInPlace(std::span<char>(out).subspan(start));
}

}  // namespace quilor
