#pragma once

#include <string>

#include "RecordTable.h"

namespace quilor::cli {

struct TextStyle {
  // For a terminal: control characters from the file are shown as escapes.
  bool visibleControls = false;
  // show: the passwords in clear, not only a note that they are hidden.
  bool showSecrets = false;
};

// "title<TAB>group<TAB>web address<LF>", UTF-8.
std::string ListLine(const Record& record, const TextStyle& style);

// The record as "Caption: value" lines, UTF-8, with the user name; the
// passwords only when style asks for them. Dates are written yyyy-MM-dd
// (and HH:mm:ss) so that scripts can read them whatever the user's locale; a
// date of 0 is no date and prints as nothing.
std::string ShowText(const Record& record, const TextStyle& style);

}  // namespace quilor::cli
