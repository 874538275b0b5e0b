#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "Json.h"
#include "RecordTable.h"

namespace quilor::cli {

// Every record of the table, in the table's order, as one JSON array of
// objects with the keys ALAN1..ALAN20: text as UTF-8 strings, dates and times
// as day numbers, the tray flag as true/false, a null field as null. The
// text is handed to write in pieces, in order.
void WriteRecordsAsJson(RecordTable& table, const std::function<void(std::string_view)>& write);

// One record read from JSON, checked to fit the table exactly as given.
struct ImportedRecord {
  RecordValues values;
  // Where each value stands in the JSON text, so that a later refusal can
  // point at it; a key left out points at the record's object.
  std::array<std::size_t, kFieldCount> offsets{};
};

// Reads an array of the shape WriteRecordsAsJson writes. Keys left out are null.
// Throws JsonError at the offending value for anything the data file would
// not keep exactly: an unknown key, a value of the wrong kind, a text too
// long for its field in Windows-1254 bytes (for a secret: too long for its
// protected form to fit) or holding a character that code
// page lacks, a line break or a NUL, a date that is not a whole day, a time
// that is not a fraction of a day.
std::vector<ImportedRecord> RecordsFromJson(const JsonValue& document);

// RecordsFromJson for a JSON text, read record by record: an item that is
// no record is refused before the rest is read, and so is the record past
// the most that a data file the program can read has room for.
std::vector<ImportedRecord> RecordsFromJsonText(std::string_view json);

// Appends the records to the table, in order.
void AppendRecords(RecordTable& table, const std::vector<ImportedRecord>& records);

}  // namespace quilor::cli
