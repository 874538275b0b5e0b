#pragma once

#include <QCollator>
#include <QLocale>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "Fields.h"
#include "RecordValues.h"

namespace quilor {

struct Record {
  int recordId = 0;
  RecordValues values;
};

enum class EditState { Browsing, Appending, Editing };

// A text as a record keeps it in field: up to a NUL, and no longer than the
// field allows.
std::string_view KeptText(int field, std::string_view value);

// The in-memory record table: an ordered list of records with a cursor.
// Values are assigned to the current record while it is being appended or
// edited; reads work in any state. Null text reads as "", null date/time as
// 0, null boolean as false.
class RecordTable {
 public:
  using Bookmark = int;  // a RecordId; survives reordering

  RecordTable();

  void removeAllRecords();
  // removeAllRecords for a table that held deciphered secrets: their bytes
  // are overwritten first, so that no freed memory keeps them.
  void wipeAllRecords();

  void append();
  void edit();
  void post();
  void deleteCurrent();

  void first();
  void next();
  bool eof() const { return eof_; }
  bool isEmpty() const { return records_.empty(); }
  std::size_t recordCount() const { return records_.size(); }
  // 1-based position of the current record; 0 when the table is empty.
  int recordNo() const;
  EditState state() const { return state_; }

  // Makes current the record whose ALAN1 equals recordNumber exactly. The
  // current record is tried first. A miss keeps the cursor and returns false.
  bool locate(std::string_view recordNumber);

  Bookmark remember() const;
  void returnTo(Bookmark mark);

  bool isNull(int field) const;
  std::string text(int field) const;
  double number(int field) const;
  bool boolean(int field) const;
  int recordId() const;

  void setNull(int field);
  void setText(int field, std::string_view value);
  void setNumber(int field, double dateTime);
  void setBoolean(int field, bool value);
  // Assigns a whole value through the setter of the field's kind, so the
  // same cuts apply; a null value makes the field null.
  void setValue(int field, const FieldView& value);
  // Puts values, made whole elsewhere with the setters' cuts (KeptText), in
  // place of the current record's; the old ones are wiped as they go.
  void replaceValues(RecordValues values);
  // Raw access for readers that copy whole records (the data file, the CLI).
  const Record& current() const;
  // The record at a 0-based position, for readers that keep no cursor.
  const Record& recordAt(std::size_t position) const { return records_[position]; }

  // Orders the records by one field (see the comparison in SortOrder.cpp);
  // the current record stays current. fieldName is matched ignoring case.
  void sortByField(std::string_view fieldName, bool ignoreCase, bool descending);

  // The locale whose collation orders text; the user's locale by default.
  void setCollationLocale(const QLocale& locale);
  const QLocale& collationLocale() const { return collationLocale_; }

 private:
  RecordValues& writableValues(int field);
  FieldView readable(int field) const;

  std::vector<Record> records_;
  std::size_t cursor_ = 0;
  bool eof_ = true;
  EditState state_ = EditState::Browsing;
  int nextRecordId_ = 1;
  QLocale collationLocale_;
};

}  // namespace quilor
