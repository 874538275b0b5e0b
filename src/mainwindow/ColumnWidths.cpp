#include "ColumnWidths.h"

#include <algorithm>
#include <numeric>

#include "MainWindowTexts.h"

namespace quilor {

std::array<int, kListColumnCount> FitColumnWidths(int available,
                                                  const std::array<int, 3>& dateWidths,
                                                  int minimumText) {
  constexpr int kTextColumns = kListColumnCount - 3;
  std::array<int, kListColumnCount> widths{};
  const int forDates = std::accumulate(dateWidths.begin(), dateWidths.end(), 0);
  const int forTexts = std::max(available - forDates, minimumText * kTextColumns);
  const int defaultTexts =
      std::accumulate(texts::kColumnWidths.begin(), texts::kColumnWidths.begin() + kTextColumns, 0);
  int given = 0;
  for (int c = 0; c < kTextColumns; ++c) {
    widths[c] = std::max(minimumText, forTexts * texts::kColumnWidths[c] / defaultTexts);
    given += widths[c];
  }
  // What rounding left over goes to the title, the widest text.
  widths[0] += std::max(0, forTexts - given);
  for (int d = 0; d < 3; ++d) widths[kTextColumns + d] = dateWidths[d];
  return widths;
}

}  // namespace quilor
