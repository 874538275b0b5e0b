#pragma once

#include <cmath>
#include <optional>

namespace quilor {

// Dates and times travel as one number: days since 1899-12-30, the fraction
// being the time of day.
inline constexpr double kMillisecondsPerDay = 86400000.0;

// Days since 1899-12-30 of 0001-01-01 and of 9999-12-31: the calendar the
// program's date numbers cover.
inline constexpr double kFirstDay = -693593;
inline constexpr double kLastDay = 2958465;

// The day a date field shows: the whole part of a number above zero (zero
// means not set) up to 9999-12-31. Anything else, however it got into the
// file, shows as no date; the range is checked before the conversion, which
// would be undefined for numbers beyond 64 bits.
inline std::optional<long long> ShownDay(double days) {
  if (!(days > 0 && days < kLastDay + 1)) return std::nullopt;
  return static_cast<long long>(days);
}

// The time of day of a date-time number in whole milliseconds since
// midnight; a fraction that rounds up to a full day reads as midnight.
inline int TimeOfDayMilliseconds(double dateTime) {
  const double fraction = std::fabs(dateTime - std::trunc(dateTime));
  return static_cast<int>(std::lround(fraction * kMillisecondsPerDay) %
                          static_cast<long>(kMillisecondsPerDay));
}

}  // namespace quilor
