#pragma once

#include <string>
#include <vector>

#include "RecordDigests.h"
#include "RecordTable.h"

namespace quilor {

// What the user changed in the table since it was read, by record number:
// records written (new or edited) and records deleted. A change of the
// master password changes no record; it is the empty change.
struct TableChange {
  std::vector<std::string> written;
  std::vector<std::string> deleted;
};

// Makes the user's change again on fresh, the table as the file holds it
// now, taking each written record's values from mine. A record is taken
// over only where fresh still holds it as it was read (read): one that was
// changed or deleted there as well, or made there under the same number,
// is a change on both sides and makes this return false. fresh is then
// half changed and must be dropped.
bool ReapplyChange(RecordTable& fresh, RecordTable& mine, const RecordDigests& read,
                   const TableChange& change);

}  // namespace quilor
