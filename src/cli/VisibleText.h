#pragma once

#include <string>
#include <string_view>

namespace quilor::cli {

// utf8 with every control character written out as an escape ("\x1b" for
// ESC, "\u0085" for a C1 control), so that text taken from a file cannot
// steer the terminal that shows it: retitle it, clear it, move the cursor.
std::string WithVisibleControls(std::string_view utf8);

}  // namespace quilor::cli
