#include "RecordTable.h"

#include <cmath>
#include <stdexcept>
#include <utility>

#include "DateTimeNumber.h"

namespace quilor {

namespace {

void CheckField(int field) {
  if (field < 0 || field >= kFieldCount) throw std::out_of_range("no such field");
}

// A date field keeps the day, a time field the time of day to the millisecond.
double KeepPartOfKind(FieldKind kind, double dateTime) {
  if (kind == FieldKind::Date) return std::trunc(dateTime);
  const double fraction = std::fabs(dateTime - std::trunc(dateTime));
  return std::round(fraction * kMillisecondsPerDay) / kMillisecondsPerDay;
}

}  // namespace

RecordTable::RecordTable() : collationLocale_(QLocale::system()) {}

void RecordTable::removeAllRecords() {
  records_.clear();
  cursor_ = 0;
  eof_ = true;
  state_ = EditState::Browsing;
  nextRecordId_ = 1;
}

void RecordTable::wipeAllRecords() {
  for (Record& record : records_) record.values.wipe();
  removeAllRecords();
}

void RecordTable::append() {
  Record record;
  record.recordId = nextRecordId_++;
  records_.push_back(std::move(record));
  cursor_ = records_.size() - 1;
  eof_ = false;
  state_ = EditState::Appending;
}

void RecordTable::edit() {
  if (records_.empty()) throw std::logic_error("cannot edit: the table is empty");
  state_ = EditState::Editing;
}

// A posted record gives back the room kept for values still to come: a
// table of thousands is held for the whole session.
void RecordTable::post() {
  if (state_ != EditState::Browsing && !records_.empty()) records_[cursor_].values.shrinkToFit();
  state_ = EditState::Browsing;
}

void RecordTable::deleteCurrent() {
  if (records_.empty()) throw std::logic_error("cannot delete: the table is empty");
  records_.erase(records_.begin() + static_cast<std::ptrdiff_t>(cursor_));
  if (cursor_ >= records_.size() && cursor_ > 0) --cursor_;
  eof_ = records_.empty();
  state_ = EditState::Browsing;
}

void RecordTable::first() {
  cursor_ = 0;
  eof_ = records_.empty();
}

void RecordTable::next() {
  if (cursor_ + 1 < records_.size()) {
    ++cursor_;
  } else {
    eof_ = true;
  }
}

int RecordTable::recordNo() const { return records_.empty() ? 0 : static_cast<int>(cursor_) + 1; }

bool RecordTable::locate(std::string_view recordNumber) {
  auto matches = [&](const Record& r) {
    return r.values[Field::RecordNumber].text == recordNumber;
  };
  if (records_.empty()) return false;
  if (matches(records_[cursor_])) return true;
  for (std::size_t i = 0; i < records_.size(); ++i) {
    if (matches(records_[i])) {
      cursor_ = i;
      eof_ = false;
      return true;
    }
  }
  return false;
}

RecordTable::Bookmark RecordTable::remember() const {
  return records_.empty() ? 0 : records_[cursor_].recordId;
}

void RecordTable::returnTo(Bookmark mark) {
  for (std::size_t i = 0; i < records_.size(); ++i) {
    if (records_[i].recordId == mark) {
      cursor_ = i;
      eof_ = false;
      return;
    }
  }
}

const Record& RecordTable::current() const {
  if (records_.empty()) throw std::logic_error("the table has no current record");
  return records_[cursor_];
}

FieldView RecordTable::readable(int field) const {
  CheckField(field);
  return current().values[field];
}

RecordValues& RecordTable::writableValues(int field) {
  CheckField(field);
  if (state_ == EditState::Browsing) {
    throw std::logic_error("the table is not in an appending or editing state");
  }
  return records_[cursor_].values;
}

bool RecordTable::isNull(int field) const { return readable(field).isNull; }
std::string RecordTable::text(int field) const { return std::string(readable(field).text); }
double RecordTable::number(int field) const { return readable(field).number; }
bool RecordTable::boolean(int field) const { return readable(field).flag; }
int RecordTable::recordId() const { return current().recordId; }

void RecordTable::setNull(int field) { writableValues(field).makeNull(field); }

std::string_view KeptText(int field, std::string_view value) {
  const auto zero = value.find('\0');
  if (zero != std::string_view::npos) value = value.substr(0, zero);
  const auto limit = static_cast<std::size_t>(kFields[field].maxBytes);
  if (kFields[field].kind == FieldKind::Text && value.size() > limit) {
    value = value.substr(0, limit);
  }
  return value;
}

void RecordTable::setText(int field, std::string_view value) {
  writableValues(field).setText(field, KeptText(field, value));
}

void RecordTable::replaceValues(RecordValues values) { writableValues(0) = std::move(values); }

void RecordTable::setNumber(int field, double dateTime) {
  writableValues(field).setNumber(field, KeepPartOfKind(kFields[field].kind, dateTime));
}

void RecordTable::setBoolean(int field, bool value) { writableValues(field).setFlag(field, value); }

void RecordTable::setValue(int field, const FieldView& value) {
  CheckField(field);
  if (value.isNull) {
    setNull(field);
    return;
  }
  switch (kFields[field].kind) {
    case FieldKind::Text:
      setText(field, value.text);
      break;
    case FieldKind::Date:
    case FieldKind::Time:
      setNumber(field, value.number);
      break;
    case FieldKind::Boolean:
      setBoolean(field, value.flag);
      break;
  }
}

void RecordTable::setCollationLocale(const QLocale& locale) { collationLocale_ = locale; }

}  // namespace quilor
