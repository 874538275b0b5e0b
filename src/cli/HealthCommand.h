#pragma once

#include "Arguments.h"

namespace quilor::cli {

// health: the records whose password 1 is empty, weak, shared or old, one
// finding a line on standard output, the totals on standard error. Exits
// 0 when nothing was found and 1 when something was.
int Health(const Arguments& arguments);

}  // namespace quilor::cli
