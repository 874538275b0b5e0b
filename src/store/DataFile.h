#pragma once

#include <string>

#include "RecordTable.h"

namespace quilor {

// The text of one field as the data file holds it.
std::string FieldToText(const FieldValue& value, FieldKind kind);

// Replaces the file at path with the table's content: one "RecNo<n>" section
// per record in table order, all twenty keys, CR LF, Windows-1254 bytes. The
// new file is written completely beside the old one and then takes its place,
// so a failure leaves the previous file as it was; it is readable and
// writable by its owner only. An empty table removes the file. A value
// holding a line feed, which would fall apart into lines of its own, is
// refused and nothing is written. Throws std::runtime_error ("Unable to write
// to <path>") on failure.
void WriteDataFile(RecordTable& table, const std::string& path);

// Empties the table and fills it from the file at path (every section is a
// record, also one whose name repeats an earlier one; within a section the
// first line of a key counts), then rewrites the file in its normalised form.
// A file saved again as UTF-8 or UTF-16 with a byte-order mark is read in
// that encoding. A missing file gives an empty table and writes nothing; an
// empty or all-blank one is removed. A file that cannot be read, cannot be
// converted to Windows-1254, or holds something yet gives no record is never
// written over: the read throws std::runtime_error, its message naming the
// file.
void ReadDataFile(RecordTable& table, const std::string& path);

// The halves of the two operations above, for a caller that does other work
// while the rewrite goes to disk. FillTableFromFile is ReadDataFile without
// the rewrite; false when there is no file. DataFileText is the file's
// content for a table that is not empty; it throws as WriteDataFile does when
// a value cannot be written.
bool FillTableFromFile(RecordTable& table, const std::string& path);
// FillTableFromFile for a file's bytes already read; path only names the
// file in messages.
void FillTableFromBytes(RecordTable& table, std::string bytes, const std::string& path);
std::string DataFileText(RecordTable& table, const std::string& path);

}  // namespace quilor
