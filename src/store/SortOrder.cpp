// SortByField: the one ordering of the record table.
#include <QCollatorSortKey>
#include <algorithm>
#include <numeric>
#include <optional>
#include <stdexcept>
#include <string>

#include "Cp1254.h"
#include "DateTimeNumber.h"
#include "RecordTable.h"

namespace quilor {

namespace {

// Compares two values of one field: nulls first, then by kind. Text uses
// precomputed collation keys so a sort of thousands of records stays cheap.
int CompareValues(FieldKind kind, const FieldView& a, const FieldView& b,
                  const QCollatorSortKey* keyA, const QCollatorSortKey* keyB) {
  if (a.isNull || b.isNull) return int(b.isNull) - int(a.isNull);
  switch (kind) {
    case FieldKind::Text:
      return keyA->compare(*keyB);
    case FieldKind::Date:  // compared by DateKey instead
    case FieldKind::Time:
      return (a.number > b.number) - (a.number < b.number);
    case FieldKind::Boolean:
      return int(a.flag) - int(b.flag);
  }
  return 0;
}

// A date sorts as the list shows it: by the day, then by the time of day kept
// beside it. A date the list leaves empty (never set, zero, or beyond the
// calendar) counts as null, and so does a time that was never set, whatever
// number happens to be stored: records whose cells read the same keep their
// creation order.
struct DateKey {
  std::optional<long long> day;
  std::optional<int> millisecond;

  auto operator<=>(const DateKey&) const = default;
};

DateKey DateKeyOf(const Record& record, int dateField, int timeField) {
  const FieldView date = record.values[dateField];
  DateKey key;
  if (!date.isNull) key.day = ShownDay(date.number);
  if (!key.day || timeField < 0) return key;
  const FieldView time = record.values[timeField];
  if (!time.isNull) key.millisecond = TimeOfDayMilliseconds(time.number);
  return key;
}

int CompareDateKeys(const DateKey& a, const DateKey& b) {
  const auto order = a <=> b;
  return (order > 0) - (order < 0);
}

}  // namespace

void RecordTable::sortByField(std::string_view fieldName, bool ignoreCase, bool descending) {
  const int field = FieldIndexByName(fieldName);
  if (field < 0) throw std::invalid_argument("no field named " + std::string(fieldName));
  if (records_.size() < 2) return;
  const FieldKind kind = kFields[field].kind;
  const Bookmark mark = remember();

  // The C locale's collator compares code points and ignores the case flag;
  // a user without a locale still gets case-insensitive, alphabetic order
  // from the root collation (which English uses unchanged).
  const bool plainC = collationLocale_.language() == QLocale::C;
  QCollator collator(plainC ? QLocale(QLocale::English, QLocale::UnitedStates) : collationLocale_);
  collator.setCaseSensitivity(ignoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive);
  // Each record's value is looked up once, not at every comparison.
  std::vector<FieldView> values;
  values.reserve(records_.size());
  for (const Record& r : records_) values.push_back(r.values[field]);
  std::vector<QCollatorSortKey> keys;
  if (kind == FieldKind::Text) {
    keys.reserve(records_.size());
    for (const FieldView& value : values) keys.push_back(collator.sortKey(FromCp1254(value.text)));
  }
  std::vector<DateKey> dates;
  if (kind == FieldKind::Date) {
    dates.reserve(records_.size());
    for (const Record& r : records_) dates.push_back(DateKeyOf(r, field, TimeFieldOfDate(field)));
  }

  std::vector<std::size_t> order(records_.size());
  std::iota(order.begin(), order.end(), 0);
  auto key = [&](std::size_t i) { return keys.empty() ? nullptr : &keys[i]; };
  std::sort(order.begin(), order.end(), [&](std::size_t i, std::size_t j) {
    int c = kind == FieldKind::Date ? CompareDateKeys(dates[i], dates[j])
                                    : CompareValues(kind, values[i], values[j], key(i), key(j));
    if (c == 0)
      c = (records_[i].recordId > records_[j].recordId) -
          (records_[i].recordId < records_[j].recordId);
    return descending ? c > 0 : c < 0;
  });

  std::vector<Record> sorted;
  sorted.reserve(records_.size());
  for (std::size_t i : order) sorted.push_back(std::move(records_[i]));
  records_ = std::move(sorted);
  returnTo(mark);
}

}  // namespace quilor
