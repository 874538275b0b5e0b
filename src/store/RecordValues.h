#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "Fields.h"

namespace quilor {

// One value of a record as the table lends it out: the text is the record's
// own bytes, valid until that record changes or goes.
struct FieldView {
  bool isNull = true;
  std::string_view text;  // text fields: Windows-1254 bytes
  double number = 0;      // date and time fields: days since 1899-12-30
  bool flag = false;      // boolean fields
};

// One value passed around on its own (import, export, a record's copy).
struct FieldValue {
  bool isNull = true;
  std::string text;
  double number = 0;
  bool flag = false;

  operator FieldView() const { return {isNull, text, number, flag}; }
};

// The values of one record, packed into one block of the locked pool: for
// each field that holds something, in field order, a byte with the field and
// the kind of value, then the text's length and bytes, or the number's eight
// bytes (a flag lives in the byte itself). A field without an entry reads as
// null, and a record without values holds no block at all, so a section of
// the data file without keys (which a hostile file can hold by the million)
// costs a pointer. Values filled in field order are appended; a value
// replaced in the middle moves the ones after it.
class RecordValues {
 public:
  RecordValues() = default;
  RecordValues(const RecordValues& other);
  RecordValues(RecordValues&& other) noexcept;
  RecordValues& operator=(const RecordValues& other);
  RecordValues& operator=(RecordValues&& other) noexcept;
  ~RecordValues();

  FieldView operator[](int field) const;
  // Every field's value, nulls included, from one walk over the entries: for
  // readers of whole records, where twenty lookups would each walk again.
  std::array<FieldView, kFieldCount> all() const;

  // The setters store what they are given, uncut.
  void setText(int field, std::string_view text);
  void setNumber(int field, double number);
  void setFlag(int field, bool flag);
  // Stores the member that the field's kind uses; a null value makes the
  // field null.
  void set(int field, const FieldView& value);
  void makeNull(int field);

  // Gives back the room kept for values still to come.
  void shrinkToFit();
  // Overwrites every value (deciphered secrets among them), then holds none.
  void wipe();

 private:
  std::size_t used() const;
  std::size_t capacity() const;
  void replace(int field, const unsigned char* head, std::size_t headSize, std::string_view text);
  void release() noexcept;

  unsigned char* block_ = nullptr;  // a header (bytes used, capacity), then the entries
};

}  // namespace quilor
