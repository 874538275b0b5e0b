#pragma once

#include <cmath>

namespace quilor {

// Dates and times travel as one number: days since 1899-12-30, the fraction
// being the time of day.
inline constexpr double kMillisecondsPerDay = 86400000.0;

// The time of day of a date-time number in whole milliseconds since
// midnight; a fraction that rounds up to a full day reads as midnight.
inline int TimeOfDayMilliseconds(double dateTime) {
  const double fraction = std::fabs(dateTime - std::trunc(dateTime));
  return static_cast<int>(std::lround(fraction * kMillisecondsPerDay) %
                          static_cast<long>(kMillisecondsPerDay));
}

}  // namespace quilor
