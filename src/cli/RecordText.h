#pragma once

#include <string>

#include "RecordTable.h"

namespace quilor::cli {

// "title<TAB>group<TAB>web address<LF>", UTF-8.
std::string ListLine(const Record& record);

// The record as "Caption: value" lines, UTF-8, secrets in clear. Dates are
// written yyyy-MM-dd (and HH:mm:ss) so that scripts can read them whatever
// the user's locale; a date of 0 is no date and prints as nothing.
std::string ShowText(const Record& record);

}  // namespace quilor::cli
