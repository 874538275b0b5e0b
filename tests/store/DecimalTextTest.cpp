#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "DataFile.h"
#include "DecimalText.h"

namespace quilor {
namespace {

// The same rule written another way: printf's %G with 15 digits switches to
// the exponent form exactly below 1E-4 and from 1E15 on and drops trailing
// zeros; only its exponent ("E+05", "E-07") is spelled differently.
std::string ReferenceText(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.15G", value);
  std::string text(buffer);
  const auto e = text.find('E');
  if (e == std::string::npos) return text;
  std::string exponent = text.substr(e + 1);
  const bool negative = exponent[0] == '-';
  exponent.erase(0, 1);
  exponent.erase(0, exponent.find_first_not_of('0'));
  return text.substr(0, e + 1) + (negative ? "-" : "") + exponent;
}

// Leaves digits in the stack memory the next call will use, so that a
// reader that runs past what it wrote finds plausible characters there.
[[gnu::noinline]] void FillStackWithDigits() {
  volatile char junk[1024];
  for (std::size_t i = 0; i < sizeof junk; ++i) junk[i] = static_cast<char>('0' + i % 10);
}

// Under valgrind a whole run over every day takes minutes; a sparser walk
// still reaches every length of day number and both ends.
int DayStep() { return std::getenv("QUILOR_MEMCHECK") != nullptr ? 97 : 1; }

// Decimal numbers with the given count of decimals: "0.d", "39887.dd", ...
std::vector<double> NumbersWithDecimals(int decimals, int count, std::mt19937& random) {
  std::vector<double> numbers;
  std::uniform_int_distribution<long long> fraction(
      0, static_cast<long long>(std::pow(10, decimals)) - 1);
  std::uniform_int_distribution<int> day(0, 2958465);
  for (int i = 0; i < count; ++i) {
    const std::string text = std::to_string(i % 2 == 0 ? 0 : day(random)) + "." + [&] {
      std::string digits = std::to_string(fraction(random));
      return std::string(decimals - digits.size(), '0') + digits;
    }();
    numbers.push_back(std::strtod(text.c_str(), nullptr));
  }
  return numbers;
}

TEST(FormatGeneral, WritesFifteenDigitsPlainOrInExponentForm) {
  const struct {
    double value;
    const char* text;
  } cases[] = {
      {0, "0"},
      {-0.0, "0"},
      {39887, "39887"},
      {0.4375, "0.4375"},
      {39887.4375, "39887.4375"},
      {-1.25, "-1.25"},
      {1.0 / 3, "0.333333333333333"},
      {2.0 / 3, "0.666666666666667"},
      {0.1 + 0.2, "0.3"},
      {0.0001, "0.0001"},
      {0.00009999999999999999, "0.0001"},  // rounds up to the plain range
      {0.000015, "1.5E-5"},
      {1.0 / 86400000, "1.15740740740741E-8"},
      {-0.00002, "-2E-5"},
      {123456789012345, "123456789012345"},
      {999999999999999, "999999999999999"},
      {1e15, "1E15"},
      {1e20, "1E20"},
      {1234567890123456789.0, "1.23456789012346E18"},
      {9999999999999999.0, "1E16"},
      {1e300, "1E300"},
      {5e-324, "4.94065645841247E-324"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatGeneral(c.value), c.text) << "value " << c.value;
  }
}

TEST(ParseDecimal, ReadsPointOrCommaAndRefusesWhatIsNoNumber) {
  const struct {
    const char* text;
    std::optional<double> value;
  } cases[] = {
      {"39887", 39887},
      {"0.4375", 0.4375},
      {"0,4375", 0.4375},
      {"-1", -1},
      {"+2,5", 2.5},
      {".5", 0.5},
      {"5.", 5},
      {"1.5E-5", 0.000015},
      {"1,5e-5", 0.000015},
      {"1E20", 1e20},
      {"2e+3", 2000},
      {"", std::nullopt},
      {"-", std::nullopt},
      {".", std::nullopt},
      {"1.2.3", std::nullopt},
      {"1,2.3", std::nullopt},
      {"1 000", std::nullopt},
      {"12abc", std::nullopt},
      {"1E", std::nullopt},
      {"1E+", std::nullopt},
      {"0x10", std::nullopt},
      {"inf", std::nullopt},
      {"nan", std::nullopt},
      {"1E400", std::nullopt},
      {"tarih", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseDecimal(c.text), c.value) << "text \"" << c.text << "\"";
  }
}

TEST(FieldToText, GivesTheFileTextOfEachKind) {
  auto valueOf = [](auto set) {
    FieldValue value;
    value.isNull = false;
    set(value);
    return value;
  };
  const FieldValue null;
  EXPECT_EQ(FieldToText(null, FieldKind::Text), "");
  EXPECT_EQ(FieldToText(null, FieldKind::Date), "");
  EXPECT_EQ(FieldToText(null, FieldKind::Boolean), "");
  EXPECT_EQ(FieldToText(valueOf([](FieldValue& v) { v.text = " a=\"b\" "; }), FieldKind::Text),
            " a=\"b\" ");
  EXPECT_EQ(FieldToText(valueOf([](FieldValue& v) { v.number = 39887; }), FieldKind::Date),
            "39887");
  EXPECT_EQ(FieldToText(valueOf([](FieldValue& v) { v.number = 0; }), FieldKind::Date), "0");
  EXPECT_EQ(FieldToText(valueOf([](FieldValue& v) { v.number = 0.000015; }), FieldKind::Time),
            "1.5E-5");
  EXPECT_EQ(FieldToText(valueOf([](FieldValue& v) { v.flag = true; }), FieldKind::Boolean), "-1");
  EXPECT_EQ(FieldToText(valueOf([](FieldValue& v) { v.flag = false; }), FieldKind::Boolean), "0");
}

TEST(FormatGeneral, EveryWrittenTimeOfDayReadsBackToTheSameMillisecond) {
  for (int ms = 0; ms < 86400000; ms += 997) {
    const double time = ms / 86400000.0;
    const auto back = ParseDecimal(FormatGeneral(time));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(std::lround(*back * 86400000.0), ms);
  }
}

TEST(FormatGeneral, AgreesWithAnIndependentFormattingWhateverTheStackHolds) {
  int mismatches = 0;
  auto check = [&](double value) {
    FillStackWithDigits();
    const std::string written = FormatGeneral(value);
    const std::string expected = ReferenceText(value);
    if (written != expected && ++mismatches <= 10) {
      ADD_FAILURE() << "value " << value << ": written " << written << ", expected " << expected;
    }
  };
  const int step = DayStep();
  for (int day = 1; day < 2958465; day += step) check(day);
  check(2958465);

  std::mt19937 random(7);
  for (int decimals = 1; decimals <= 9; ++decimals) {
    for (double time : NumbersWithDecimals(decimals, 20000 / step + 50, random)) check(time);
  }

  // Both exponent forms: below 1E-4 down to the smallest numbers, and from
  // sixteen digits before the point up to the largest.
  std::uniform_real_distribution<double> mantissa(1, 10);
  for (int power = -323; power <= 307; ++power) {
    if (power >= -4 && power <= 14) continue;
    check(std::pow(10.0, power));
    check(mantissa(random) * std::pow(10.0, power));
    check(-mantissa(random) * std::pow(10.0, power));
  }
  for (double value : {1e-5, 0.000015, 5e-324, 1e15, 9.3e18, 1e20, 1e308, 1.7976931348623157e308}) {
    check(value);
  }
}

}  // namespace
}  // namespace quilor
