#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "DecimalText.h"
#include "RecordTable.h"
#include "WholeFile.h"

namespace quilor {

// True when the reader gives a written text value back as it is: without
// blanks at either end and not wrapped in one pair of matching quotes.
bool ReadsBackUnchanged(std::string_view value);

// Appends the text of one field as the data file holds it: nothing for a
// null value. For any value type with FieldValue's members.
template <class Value>
void AppendFieldText(std::string& out, const Value& value, FieldKind kind) {
  if (value.isNull) return;
  switch (kind) {
    case FieldKind::Text:
      out.append(value.text);
      break;
    case FieldKind::Date:
    case FieldKind::Time:
      out.append(FormatGeneral(value.number));
      break;
    case FieldKind::Boolean:
      out.append(value.flag ? "-1" : "0");
      break;
  }
}

// The text of one field as the data file holds it.
std::string FieldToText(const FieldView& value, FieldKind kind);

// For a record (by its position in the table, from 0) and a field, the text
// to write in place of the field's value, or null to write the value: so a
// save writes protected forms without a copy of the table.
using WrittenInstead = std::function<const std::string*(std::size_t index, int field)>;

// Replaces the file at path with the table's content: one "RecNo<n>" section
// per record in table order, all twenty keys, CR LF, Windows-1254 bytes. The
// new file is written completely beside the old one and then takes its place,
// so a failure leaves the previous file as it was; it is readable and
// writable by its owner only. An empty table removes the file. A value
// holding a line feed, which would fall apart into lines of its own, is
// refused and nothing is written; so is content beyond the read limit
// (kMaxReadBytes), which could never be read again. Throws
// std::runtime_error on failure, its message naming the file, why, and what
// to do. instead, when given, replaces values as it says; check, when given,
// sees the new file before it takes the old one's place (ReplaceWholeFile).
void WriteDataFile(RecordTable& table, const std::string& path, const WrittenInstead& instead = {},
                   const BeforeReplace& check = {});

// Empties the table and fills it from the file at path (every section is a
// record, also one whose name repeats an earlier one; within a section the
// first line of a key counts), then brings the file into its normalised form.
// A file already in that form, byte for byte, is left untouched, so reading
// needs no write access. A file saved again as UTF-8 or UTF-16 with a
// byte-order mark is read in that encoding. A missing file gives an empty
// table and writes nothing; an empty or all-blank one is removed. A file that
// cannot be read, cannot be converted to Windows-1254, or holds something yet
// gives no record is never written over: the read throws std::runtime_error,
// its message naming the file. So is a file whose normalised form would be
// larger than the read limit (many sections of a few bytes grow to a full
// record each): it is refused as a whole, before it costs memory per section.
void ReadDataFile(RecordTable& table, const std::string& path);

// The halves of the two operations above, for a caller that does other work
// while the rewrite goes to disk. FillTableFromFile is ReadDataFile without
// the rewrite; it gives the file's bytes as read, none when there is no
// file. DataFileText is the file's content for a table that is not empty; it
// throws as WriteDataFile does when a value cannot be written.
// NormalisedFileText is that content when it differs from bytesRead, none
// when the file needs no rewrite; content beyond the read limit refuses the
// read as ReadDataFile does.
std::optional<std::string> FillTableFromFile(RecordTable& table, const std::string& path);
// FillTableFromBytes is FillTableFromFile for a file's bytes already read;
// path only names the file in messages.
void FillTableFromBytes(RecordTable& table, std::string bytes, const std::string& path);
std::string DataFileText(RecordTable& table, const std::string& path,
                         const WrittenInstead& instead = {});
std::optional<std::string> NormalisedFileText(RecordTable& table, const std::string& path,
                                              std::string_view bytesRead);

// A file that needs no rewrite still ends readable and writable by its owner
// only, as a rewrite leaves it. Where its mode cannot be changed (another
// owner, a read-only disk) it stays as it is: its content is sound, and the
// read goes on.
void RestrictToOwner(const std::string& path);

}  // namespace quilor
