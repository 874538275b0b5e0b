#include "RecordJson.h"

#include <cmath>
#include <functional>
#include <string_view>

#include "CliTexts.h"
#include "DataFile.h"
#include "DateTimeNumber.h"
#include "ProtectedRecords.h"
#include "SecureWipe.h"
#include "TextConversion.h"
#include "WholeFile.h"

namespace quilor::cli {

namespace {

void AppendValue(std::string& out, const FieldView& value, FieldKind kind) {
  if (value.isNull) {
    out.append("null");
    return;
  }
  switch (kind) {
    case FieldKind::Text:
      AppendCp1254AsJsonString(out, value.text);
      break;
    case FieldKind::Date:
    case FieldKind::Time:
      AppendJsonNumber(out, value.number);
      break;
    case FieldKind::Boolean:
      out.append(value.flag ? "true" : "false");
      break;
  }
}

// The most room one value can take in the JSON text: a Windows-1254 byte
// becomes at most six bytes (a C1 control as \u0081), plus the quotes.
std::size_t MostRoomFor(const FieldView& value) { return 6 * value.text.size() + 64; }

[[noreturn]] void Refuse(std::size_t recordIndex, int field, const std::string& problem,
                         std::size_t offset) {
  throw JsonError(text::kRecord + std::to_string(recordIndex + 1) + ", " +
                      std::string(kFields[field].name) + ": " + problem,
                  offset);
}

struct FieldCheck {
  std::size_t recordIndex;
  int field;
  const JsonValue& json;
  [[noreturn]] void refuse(const std::string& problem) const {
    Refuse(recordIndex, field, problem, json.offset);
  }
};

FieldValue TextValue(const FieldCheck& check) {
  if (check.json.kind != JsonValue::Kind::String) check.refuse(text::kExpectText);
  Utf8Conversion converted = Utf8ToCp1254(check.json.string);
  if (converted.unmappable) {
    if (IsProtectedField(check.field)) {
      check.refuse(text::kSecretUnmappableBefore + std::to_string(converted.position) +
                   text::kUnmappableAfter);
    }
    check.refuse(text::kUnmappable + *converted.unmappable);
  }
  const std::string& bytes = converted.bytes;
  if (bytes.find('\0') != std::string::npos) check.refuse(text::kZeroCharacter);
  if (bytes.find_first_of("\r\n") != std::string::npos) check.refuse(text::kLineBreak);
  // A secret is stored in its protected form, which leaves less room for the
  // plain text than the field's length.
  const std::size_t limit = IsProtectedField(check.field)
                                ? MaxSecretBytes(check.field)
                                : static_cast<std::size_t>(kFields[check.field].maxBytes);
  if (bytes.size() > limit) {
    check.refuse(text::kTooLongBefore + std::to_string(limit) + text::kTooLongMiddle +
                 std::to_string(bytes.size()) + text::kTooLongAfter);
  }
  FieldValue value;
  value.isNull = false;
  value.text = bytes;
  return value;
}

FieldValue NumberValue(const FieldCheck& check, FieldKind kind) {
  const char* expected = kind == FieldKind::Date ? text::kExpectDate : text::kExpectTime;
  if (check.json.kind != JsonValue::Kind::Number) check.refuse(expected);
  const double n = check.json.number;
  // A time that rounds to the next midnight would come back as 0.
  const bool fits = kind == FieldKind::Date
                        ? n == std::trunc(n) && n >= kFirstDay && n <= kLastDay
                        : n >= 0 && std::round(n * kMillisecondsPerDay) < kMillisecondsPerDay;
  if (!fits) check.refuse(expected);
  FieldValue value;
  value.isNull = false;
  value.number = n;
  return value;
}

FieldValue BooleanValue(const FieldCheck& check) {
  if (check.json.kind != JsonValue::Kind::Boolean) check.refuse(text::kExpectBoolean);
  FieldValue value;
  value.isNull = false;
  value.flag = check.json.boolean;
  return value;
}

FieldValue ValueOf(const FieldCheck& check) {
  if (check.json.kind == JsonValue::Kind::Null) return FieldValue{};
  const FieldKind kind = kFields[check.field].kind;
  switch (kind) {
    case FieldKind::Text:
      return TextValue(check);
    case FieldKind::Date:
    case FieldKind::Time:
      return NumberValue(check, kind);
    case FieldKind::Boolean:
      return BooleanValue(check);
  }
  return FieldValue{};
}

int FieldNamed(std::string_view key) {
  for (int i = 0; i < kFieldCount; ++i) {
    if (kFields[i].name == key) return i;
  }
  return -1;
}

ImportedRecord RecordFrom(const JsonValue& object, std::size_t recordIndex) {
  if (object.kind != JsonValue::Kind::Object) throw JsonError(text::kNotAnObject, object.offset);
  ImportedRecord record;
  record.offsets.fill(object.offset);
  for (const JsonMember& member : object.members) {
    const int field = FieldNamed(member.key);
    if (field < 0) {
      throw JsonError(
          text::kRecord + std::to_string(recordIndex + 1) + ", " + text::kUnknownKey + member.key,
          member.keyOffset);
    }
    record.values.set(field, ValueOf(FieldCheck{recordIndex, field, member.value}));
    record.offsets[field] = member.value.offset;
  }
  return record;
}

}  // namespace

void WriteRecordsAsJson(RecordTable& table, const std::function<void(std::string_view)>& write) {
  // The text goes out in pieces from one buffer that never moves: it is
  // handed on before a value could make it grow, so that no copy of a
  // secret is left behind in freed memory; the buffer is wiped.
  std::string out;
  out.reserve(64 * 1024);
  const auto flush = [&] {
    write(out);
    out.clear();
  };
  out.push_back('[');
  const char* recordSeparator = "\n";
  for (table.first(); !table.eof(); table.next()) {
    const auto values = table.current().values.all();
    out.append(recordSeparator).append("  {");
    for (int i = 0; i < kFieldCount; ++i) {
      const FieldView& value = values[static_cast<std::size_t>(i)];
      if (out.size() + MostRoomFor(value) > out.capacity()) flush();
      out.append(i == 0 ? "\n    " : ",\n    ");
      AppendJsonString(out, kFields[i].name);
      out.append(": ");
      AppendValue(out, value, kFields[i].kind);
    }
    out.append("\n  }");
    recordSeparator = ",\n";
  }
  out.append(table.isEmpty() ? "]\n" : "\n]\n");
  write(out);
  WipeText(out);
}

std::size_t MaxImportedRecords() {
  // The least room a record takes in the data file: its header, twenty
  // empty keys and the protected forms of three empty secrets.
  RecordTable empty;
  empty.append();
  empty.post();
  std::size_t smallest = DataFileText(empty, {}).size();
  for (std::string_view marker : {kUserNameMarker, kPasswordMarker, kPassword2Marker}) {
    smallest += ProtectValue(marker, "k").size();
  }
  return static_cast<std::size_t>(kMaxReadBytes) / smallest;
}

std::vector<ImportedRecord> RecordsFromJsonText(std::string_view json) {
  static const std::size_t limit = MaxImportedRecords();
  std::vector<ImportedRecord> records;
  const bool array = ForEachArrayItem(json, [&](JsonValue& item) {
    if (records.size() == limit) {
      throw JsonError(
          text::kTooManyRecordsBefore + std::to_string(limit) + text::kTooManyRecordsAfter,
          item.offset);
    }
    records.push_back(RecordFrom(item, records.size()));
    WipeJson(item);
  });
  if (!array) return RecordsFromJson(ParseJson(json));
  return records;
}

std::vector<ImportedRecord> RecordsFromJson(const JsonValue& document) {
  if (document.kind != JsonValue::Kind::Array) throw JsonError(text::kNotAnArray, document.offset);
  std::vector<ImportedRecord> records;
  records.reserve(document.items.size());
  for (std::size_t i = 0; i < document.items.size(); ++i) {
    records.push_back(RecordFrom(document.items[i], i));
  }
  return records;
}

void AppendRecords(RecordTable& table, const std::vector<ImportedRecord>& records) {
  for (const ImportedRecord& record : records) {
    table.append();
    for (int i = 0; i < kFieldCount; ++i) table.setValue(i, record.values[i]);
    table.post();
  }
}

}  // namespace quilor::cli
