#pragma once

#include <string>

#include "RecordTable.h"

namespace quilor {

// The text of one field as the data file holds it.
std::string FieldToText(const FieldValue& value, FieldKind kind);

// Replaces the file at path with the table's content: one "RecNo<n>" section
// per record in table order, all twenty keys, CR LF, Windows-1254 bytes. The
// new file is written completely beside the old one and then takes its place,
// so a failure leaves the previous file as it was. An empty table removes the
// file. Throws std::runtime_error ("Unable to write to <path>") on failure.
void WriteDataFile(RecordTable& table, const std::string& path);

// Empties the table and fills it from the file at path (every section is a
// record), then rewrites the file in its normalised form. A file that cannot
// be read is never written over: the read throws std::runtime_error instead.
void ReadDataFile(RecordTable& table, const std::string& path);

}  // namespace quilor
