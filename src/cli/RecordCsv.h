#pragma once

#include <QDateTime>
#include <string>
#include <string_view>
#include <vector>

#include "RecordJson.h"
#include "RecordTable.h"

namespace quilor::cli {

// Every record in the table's order as CSV with the columns Group, Title,
// Username, Password, URL and Notes: UTF-8, every field quoted, CRLF.
std::string RecordsToCsv(RecordTable& table);

struct CsvReadOptions {
  // Cut a value that is only too long to its field, and list it.
  bool truncate = false;
  // Make a value of several lines one line, its lines joined by " / ", and list it.
  bool joinLines = false;
};

struct CsvRecords {
  std::vector<ImportedRecord> records;
  // Header names that map to no field, as the file spells them.
  std::vector<std::string> unknownColumns;
  // One line for every value that was cut (truncate) or joined (joinLines).
  std::vector<std::string> cutValues;
  std::vector<std::string> joinedValues;
  // One line for every date that could not be read and was left out.
  std::vector<std::string> unreadDates;
  // One line for every value the data file cannot hold as it is; its row
  // made no record.
  std::vector<std::string> refused;
  // What would have let the refused values in: truncate (only lengths were
  // refused), joinLines (a line break was).
  bool truncateWouldHelp = false;
  bool joinLinesWouldHelp = false;
};

// Reads the CSV export of a password manager. Columns are found by their
// header names, without regard to case: Group/Grup, Title/Name,
// Username/Login, Password, URL/Web, Notes, and the dates Created and Last
// Modified (ISO 8601, as KeePassXC writes them; "Z" or an offset is turned
// into local time). Each record gets a new record number made from now (one
// millisecond apart, so that they differ) and, without a readable Created,
// now's day as its creation date; Last Modified becomes the day and time
// the password was last changed. A group name that every row begins with,
// followed by "/" in some row (KeePassXC's root group), is dropped. A row
// that leaves every taken column empty makes no record.
// A value the data file cannot hold as it is (a character Windows-1254
// lacks, a line break, a NUL, more bytes than its field takes) is listed in
// refused and its row left out. Throws CsvError for a malformed text.
CsvRecords ReadCsvRecords(std::string_view csv, const CsvReadOptions& options,
                          const QDateTime& now);

// ReadCsvRecords for a whole file that goes in only as a whole: any refused
// value refuses the file with CliError, listing every one of them and
// naming the option that would let them in.
CsvRecords RecordsFromCsv(std::string_view csv, const CsvReadOptions& options,
                          const QDateTime& now);

}  // namespace quilor::cli
