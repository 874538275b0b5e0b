#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quilor {

// A number as the data file writes it: at most 15 significant digits, no
// trailing zeros, "." as the decimal point whatever the locale, and the
// exponent form ("1.5E-5", "1E20") when the magnitude is below 0.0001 or has
// more than 15 digits before the point.
std::string FormatGeneral(double value);

// Reads a decimal number written with "." or "," as the decimal separator,
// so a file written under a comma locale reads the same everywhere. Accepts
// an optional sign, digits with at most one separator and an optional
// exponent; anything else, or a value out of range, gives no number.
std::optional<double> ParseDecimal(std::string_view text);

}  // namespace quilor
