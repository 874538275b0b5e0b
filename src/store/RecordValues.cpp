#include "RecordValues.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <utility>

#include "Fields.h"
#include "LockedPool.h"

namespace quilor {

namespace {

// The block starts with the bytes used by entries and the room for them.
constexpr std::size_t kHeader = 2 * sizeof(std::uint32_t);
// The room a record gets at its first value: most records fit, the rest
// grow by doubling until the record is posted.
constexpr std::size_t kFirstBlock = 256;

// An entry's first byte: the field below, the kind of value above.
constexpr int kKindShift = 5;
constexpr unsigned char kFieldMask = (1 << kKindShift) - 1;
enum Kind : unsigned char { kText, kNumber, kFalse, kTrue };
static_assert(kFieldCount <= kFieldMask + 1, "a field number fits below the kind");

// The longest head an entry can have: its byte and a text length of seven
// bits a byte.
constexpr std::size_t kLongestHead = 1 + (std::numeric_limits<std::size_t>::digits + 6) / 7;

std::uint32_t ReadWord(const unsigned char* at) {
  std::uint32_t word = 0;
  std::memcpy(&word, at, sizeof word);
  return word;
}

void WriteWord(unsigned char* at, std::size_t value) {
  const auto word = static_cast<std::uint32_t>(value);
  std::memcpy(at, &word, sizeof word);
}

unsigned char EntryByte(int field, Kind kind) {
  return static_cast<unsigned char>(field | (kind << kKindShift));
}

struct Entry {
  int field;
  FieldView value;
  const unsigned char* end;
};

Entry Decode(const unsigned char* at) {
  Entry entry{at[0] & kFieldMask, FieldView{false, {}, 0, false}, at + 1};
  switch (at[0] >> kKindShift) {
    case kText: {
      std::size_t length = 0;
      int shift = 0;
      const unsigned char* byte = at + 1;
      do {
        length |= std::size_t{*byte & 0x7fu} << shift;
        shift += 7;
      } while ((*byte++ & 0x80) != 0);
      entry.value.text = {reinterpret_cast<const char*>(byte), length};
      entry.end = byte + length;
      break;
    }
    case kNumber:
      std::memcpy(&entry.value.number, at + 1, sizeof entry.value.number);
      entry.end = at + 1 + sizeof entry.value.number;
      break;
    case kTrue:
      entry.value.flag = true;
      break;
    default:
      break;
  }
  return entry;
}

// Past the entry at at, without reading its value: most texts are shorter
// than 128 bytes, with their length in one byte.
const unsigned char* Skip(const unsigned char* at) {
  switch (at[0] >> kKindShift) {
    case kText:
      return at[1] < 0x80 ? at + 2 + at[1] : Decode(at).end;
    case kNumber:
      return at + 1 + sizeof(double);
    default:
      return at + 1;
  }
}

void CheckField(int field) {
  if (field < 0 || field >= kFieldCount) throw std::out_of_range("no such field");
}

// Where the field's entry stands among the entries, or would stand.
struct Place {
  std::size_t from;  // its first byte
  std::size_t to;    // past its last byte; equal to from when it has none
};

Place FindPlace(const unsigned char* entries, std::size_t used, int field) {
  const unsigned char* at = entries;
  const unsigned char* end = entries + used;
  while (at < end) {
    const Entry entry = Decode(at);
    if (entry.field >= field) {
      const auto from = static_cast<std::size_t>(at - entries);
      const auto to = entry.field == field ? static_cast<std::size_t>(entry.end - entries) : from;
      return {from, to};
    }
    at = entry.end;
  }
  return {used, used};
}

void CopyBytes(unsigned char* to, const void* from, std::size_t size) {
  if (size > 0) std::memcpy(to, from, size);
}

}  // namespace

RecordValues::RecordValues(const RecordValues& other) {
  if (other.block_ == nullptr) return;
  const LockedPool::Block block = LockedPool::instance().allocate(kHeader + other.used());
  CopyBytes(block.data, other.block_, kHeader + other.used());
  WriteWord(block.data + sizeof(std::uint32_t), block.size - kHeader);
  block_ = block.data;
}

RecordValues::RecordValues(RecordValues&& other) noexcept
    : block_(std::exchange(other.block_, nullptr)) {}

RecordValues& RecordValues::operator=(const RecordValues& other) {
  if (this != &other) *this = RecordValues(other);
  return *this;
}

RecordValues& RecordValues::operator=(RecordValues&& other) noexcept {
  if (this != &other) {
    release();
    block_ = std::exchange(other.block_, nullptr);
  }
  return *this;
}

RecordValues::~RecordValues() { release(); }

std::size_t RecordValues::used() const { return block_ == nullptr ? 0 : ReadWord(block_); }

std::size_t RecordValues::capacity() const {
  return block_ == nullptr ? 0 : ReadWord(block_ + sizeof(std::uint32_t));
}

FieldView RecordValues::operator[](int field) const {
  if (block_ == nullptr) return {};
  // Entries are in field order: the scan ends at the first one past field.
  const unsigned char* at = block_ + kHeader;
  const unsigned char* end = at + used();
  while (at < end) {
    const int atField = at[0] & kFieldMask;
    if (atField >= field) return atField == field ? Decode(at).value : FieldView{};
    at = Skip(at);
  }
  return {};
}

std::array<FieldView, kFieldCount> RecordValues::all() const {
  std::array<FieldView, kFieldCount> values{};
  if (block_ == nullptr) return values;
  const unsigned char* at = block_ + kHeader;
  const unsigned char* end = at + used();
  while (at < end) {
    const Entry entry = Decode(at);
    values[static_cast<std::size_t>(entry.field)] = entry.value;
    at = entry.end;
  }
  return values;
}

void RecordValues::setText(int field, std::string_view text) {
  unsigned char head[kLongestHead];
  std::size_t headSize = 0;
  head[headSize++] = EntryByte(field, kText);
  std::size_t length = text.size();
  do {
    head[headSize] = static_cast<unsigned char>(length & 0x7f);
    length >>= 7;
    if (length != 0) head[headSize] |= 0x80;
    ++headSize;
  } while (length != 0);
  replace(field, head, headSize, text);
}

void RecordValues::setNumber(int field, double number) {
  unsigned char head[1 + sizeof number];
  head[0] = EntryByte(field, kNumber);
  std::memcpy(head + 1, &number, sizeof number);
  replace(field, head, sizeof head, {});
}

void RecordValues::setFlag(int field, bool flag) {
  const unsigned char head = EntryByte(field, flag ? kTrue : kFalse);
  replace(field, &head, 1, {});
}

void RecordValues::set(int field, const FieldView& value) {
  CheckField(field);
  if (value.isNull) {
    makeNull(field);
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
      setFlag(field, value.flag);
      break;
  }
}

void RecordValues::makeNull(int field) {
  if (block_ == nullptr) return;
  unsigned char* entries = block_ + kHeader;
  const std::size_t used = this->used();
  const Place place = FindPlace(entries, used, field);
  if (place.from == place.to) return;
  std::memmove(entries + place.from, entries + place.to, used - place.to);
  const std::size_t remaining = used - (place.to - place.from);
  explicit_bzero(entries + remaining, used - remaining);
  WriteWord(block_, remaining);
  if (remaining == 0) release();
}

// The new entry is the head and the text. The text may be this record's own
// bytes (a value copied from one field to another): then it is read from the
// old block while a new one is filled.
void RecordValues::replace(int field, const unsigned char* head, std::size_t headSize,
                           std::string_view text) {
  CheckField(field);
  const std::size_t used = this->used();
  const std::size_t capacity = this->capacity();
  const unsigned char* entries = block_ == nullptr ? nullptr : block_ + kHeader;
  const Place place = entries == nullptr ? Place{0, 0} : FindPlace(entries, used, field);
  const std::size_t entrySize = headSize + text.size();
  const std::size_t newUsed = used - (place.to - place.from) + entrySize;
  if (newUsed > std::numeric_limits<std::uint32_t>::max()) throw std::length_error("record");

  const auto textAt = reinterpret_cast<std::uintptr_t>(text.data());
  const auto blockAt = reinterpret_cast<std::uintptr_t>(block_);
  const bool textInBlock =
      block_ != nullptr && textAt >= blockAt && textAt < blockAt + kHeader + capacity;
  if (block_ != nullptr && newUsed <= capacity && !textInBlock) {
    unsigned char* data = block_ + kHeader;
    std::memmove(data + place.from + entrySize, data + place.to, used - place.to);
    CopyBytes(data + place.from, head, headSize);
    CopyBytes(data + place.from + headSize, text.data(), text.size());
    if (newUsed < used) explicit_bzero(data + newUsed, used - newUsed);
    WriteWord(block_, newUsed);
    return;
  }

  const std::size_t room = std::max({newUsed, 2 * used, kFirstBlock - kHeader});
  const LockedPool::Block block = LockedPool::instance().allocate(kHeader + room);
  unsigned char* data = block.data + kHeader;
  CopyBytes(data, entries, place.from);
  CopyBytes(data + place.from, head, headSize);
  CopyBytes(data + place.from + headSize, text.data(), text.size());
  CopyBytes(data + place.from + entrySize, entries + place.to, used - place.to);
  release();
  block_ = block.data;
  WriteWord(block_, newUsed);
  WriteWord(block_ + sizeof(std::uint32_t), block.size - kHeader);
}

void RecordValues::shrinkToFit() {
  if (block_ == nullptr) return;
  const std::size_t used = this->used();
  if (used == 0) {
    release();
    return;
  }
  if (LockedPool::blockSize(kHeader + used) >= kHeader + capacity()) return;
  *this = RecordValues(*this);
}

void RecordValues::wipe() { release(); }

void RecordValues::release() noexcept {
  if (block_ == nullptr) return;
  LockedPool::instance().release(block_, kHeader + capacity());
  block_ = nullptr;
}

}  // namespace quilor
