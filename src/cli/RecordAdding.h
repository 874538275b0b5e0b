#pragma once

#include <QDateTime>
#include <cstddef>
#include <string>
#include <unordered_set>
#include <vector>

#include "RecordJson.h"
#include "RecordTable.h"

namespace quilor::cli {

// Hands out record numbers that no record of a table has yet, made from a
// moment as the editor makes them, one millisecond on for each.
class NewRecordNumbers {
 public:
  NewRecordNumbers(RecordTable& table, const QDateTime& from);
  std::string next();

 private:
  std::unordered_set<std::string> taken_;
  QDateTime moment_;
};

struct AddedRecords {
  // The numbers the added records were given, in the order of records.
  std::vector<std::string> numbers;
  // Indexes into records of those that were left out as duplicates.
  std::vector<std::size_t> duplicates;
};

// Appends records to table, each under a new record number. A record whose
// title, user name, password and web address equal those of a record
// already there (in the table, or added just before) is left out: a
// collection brought in twice stays one collection.
AddedRecords AddNewRecords(RecordTable& table, const std::vector<ImportedRecord>& records,
                           const QDateTime& now);

}  // namespace quilor::cli
