#include "DecimalText.h"

#include <charconv>
#include <cmath>

namespace quilor {

namespace {

constexpr int kSignificantDigits = 15;
// Decimal exponents (of the first significant digit) written without the
// exponent form: 0.0001 (-4) up to fifteen digits before the point (14).
constexpr int kSmallestPlainExponent = -4;
constexpr int kLargestPlainExponent = kSignificantDigits - 1;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string FormatGeneral(double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  if (value == 0) return "0";

  // "d.dddddddddddddde+XX": the value rounded to 15 significant digits.
  char buffer[40];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                    std::chars_format::scientific, kSignificantDigits - 1);
  const std::string_view rounded(buffer, static_cast<std::size_t>(result.ptr - buffer));
  const std::size_t e = rounded.find('e');
  std::string digits(1, rounded[0]);
  digits.append(rounded.substr(2, e - 2));
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  // to_chars does not terminate its output, so the exponent is read within
  // the written characters only; from_chars takes no "+".
  std::string_view exponentText = rounded.substr(e + 1);
  if (exponentText.front() == '+') exponentText.remove_prefix(1);
  int exponent = 0;
  std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);

  std::string text = value < 0 ? "-" : "";
  if (exponent < kSmallestPlainExponent || exponent > kLargestPlainExponent) {
    text += digits[0];
    if (digits.size() > 1) text.append(".").append(digits, 1);
    text += 'E';
    text += std::to_string(exponent);
  } else if (exponent >= 0) {
    const std::size_t wholeDigits = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= wholeDigits) {
      text.append(digits).append(wholeDigits - digits.size(), '0');
    } else {
      text.append(digits, 0, wholeDigits).append(".").append(digits, wholeDigits);
    }
  } else {
    text.append("0.").append(static_cast<std::size_t>(-exponent - 1), '0').append(digits);
  }
  return text;
}

std::optional<double> ParseDecimal(std::string_view text) {
  // Rebuilt in the one form std::from_chars reads: "-", digits, ".", "e".
  std::string plain;
  plain.reserve(text.size());
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    if (text[i] == '-') plain += '-';
    ++i;
  }
  int mantissaDigits = 0;
  bool separatorSeen = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (IsDigit(c)) {
      ++mantissaDigits;
      plain += c;
    } else if ((c == '.' || c == ',') && !separatorSeen) {
      separatorSeen = true;
      plain += '.';
    } else {
      break;
    }
  }
  if (mantissaDigits == 0) return std::nullopt;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    plain += 'e';
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
      if (text[i] == '-') plain += '-';
      ++i;
    }
    const std::size_t exponentStart = i;
    while (i < text.size() && IsDigit(text[i])) plain += text[i++];
    if (i == exponentStart) return std::nullopt;
  }
  if (i != text.size()) return std::nullopt;

  double value = 0;
  const auto result = std::from_chars(plain.data(), plain.data() + plain.size(), value);
  if (result.ec != std::errc() || result.ptr != plain.data() + plain.size()) return std::nullopt;
  return value;
}

}  // namespace quilor
