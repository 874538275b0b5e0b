#pragma once

#include <string>
#include <vector>

#include "RecordTable.h"

namespace quilor::cli {

// The records that `show` means by wanted (UTF-8): the record whose record
// number it is; else the one record with exactly that title; else every
// record whose title equals it with letter case ignored the Turkish way, as
// the program's search folds it ("gmail" finds "Gmail", "istanbul" finds
// "İstanbul", never "Istanbul"). In table order; the pointers stay valid
// while the table is not changed.
std::vector<const Record*> RecordsTitled(RecordTable& table, const std::string& wanted);

// "record number<TAB>title<TAB>group", UTF-8, control characters shown as
// escapes: one line of the choice shown when several records match.
std::string ChoiceLine(const Record& record);

}  // namespace quilor::cli
