#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "DataFile.h"
#include "DecimalText.h"

namespace quilor {
namespace {

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

}  // namespace
}  // namespace quilor
