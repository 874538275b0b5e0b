#pragma once

#include <QDateTime>
#include <string>
#include <utility>
#include <vector>

#include "RecordTable.h"

namespace quilor::cli {

struct MergeReport {
  // The record numbers of the records written into the table: those only
  // the other table had, and the conflict copies.
  std::vector<std::string> written;
  int added = 0;
  int same = 0;
  // Each record the two hold differently: its title in the table, and the
  // title of the copy added beside it.
  std::vector<std::pair<std::string, std::string>> conflicts;
};

// Brings the records of other into table, matched by record number: a
// record only other has is added; one both hold alike stays once; one that
// differs stays as it is, and other's version is added beside it under a
// new record number with " (çakışma)" after its title (the title cut to
// leave room for it), so that the user can compare the two and keep one.
// A copy that an earlier merge of the same file added already counts as
// the same: merging twice adds nothing more.
MergeReport MergeByRecordNumber(RecordTable& table, RecordTable& other, const QDateTime& now);

}  // namespace quilor::cli
