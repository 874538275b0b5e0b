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

struct CsvRecords {
  std::vector<ImportedRecord> records;
  // Header names that map to no field, as the file spells them.
  std::vector<std::string> unknownColumns;
  // With truncate: one line for every value that was cut.
  std::vector<std::string> cutValues;
};

// Reads the CSV export of a password manager. Columns are found by their
// header names, without regard to case: Group/Grup, Title/Name,
// Username/Login, Password, URL/Web, Notes. Each record gets a new record
// number made from now (one millisecond apart, so that they differ) and
// now's day as its creation date. A row that leaves every taken column
// empty makes no record.
// A value the data file cannot hold as it is (a character Windows-1254
// lacks, a line break, a NUL, more bytes than its field takes) refuses the
// whole file with CliError listing every such record and field. With
// truncate a value that is only too long is cut to its field instead and
// listed in cutValues. Throws CsvError for a malformed text.
CsvRecords RecordsFromCsv(std::string_view csv, bool truncate, const QDateTime& now);

}  // namespace quilor::cli
