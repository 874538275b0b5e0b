#pragma once

#include <array>

#include "RecordRow.h"

namespace quilor {

// The widths of the record list's nine columns in `available` pixels: each
// of the three date columns (6, 7, 8) gets the width its dates need in full;
// the six text columns share the rest in the proportions of their default
// widths, none narrower than minimumText (the list then scrolls).
std::array<int, kListColumnCount> FitColumnWidths(int available,
                                                  const std::array<int, 3>& dateWidths,
                                                  int minimumText);

}  // namespace quilor
