#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Json.h"
#include "TextConversion.h"

namespace quilor::cli {
namespace {

struct Malformed {
  std::string text;
  int line;
  int column;
  std::string message;
};

TEST(JsonTest, MalformedInputIsReportedAtItsLineAndColumn) {
  const std::vector<Malformed> cases = {
      {"[\n  {\"ALAN2\": \"x\",}\n]", 2, 17, "tırnak içinde bir anahtar bekleniyordu"},
      {"[1 2]", 1, 4, "',' ya da ']' bekleniyordu"},
      {"{\"a\": 1 \"b\": 2}", 1, 9, "',' ya da '}' bekleniyordu"},
      {"{\"a\" 1}", 1, 6, "':' bekleniyordu"},
      {"{\"a\": 1, \"a\": 2}", 1, 10, "bu anahtar nesnede ikinci kez geçiyor"},
      {"[\"\\ud800\"]", 1, 3, "eşi olmayan UTF-16 vekil kodu"},
      {"[\"\\udc00\"]", 1, 3, "eşi olmayan UTF-16 vekil kodu"},
      {"[\"\\ud800\\u0041\"]", 1, 3, "eşi olmayan UTF-16 vekil kodu"},
      {"[\"\\u12G4\"]", 1, 3, "geçersiz kaçış dizisi"},
      {"[\"\\q\"]", 1, 3, "geçersiz kaçış dizisi"},
      {"[\"ş\x01\"]", 1, 4, "dizgide kaçışsız denetim karakteri"},
      {"[\"a\xC3(\"]", 1, 4, "geçersiz UTF-8"},
      {"[\"\xE0\x80\xAF\"]", 1, 3, "geçersiz UTF-8"},  // overlong "/"
      {"[\"\xED\xA0\x80\"]", 1, 3, "geçersiz UTF-8"},  // encoded surrogate
      {"[1.]", 1, 4, "geçersiz sayı"},
      {"[-]", 1, 3, "geçersiz sayı"},
      {"[1e999]", 1, 2, "sayı çok büyük"},
      {"[tru]", 1, 2, "beklenmedik karakter"},
      {"[", 1, 2, "beklenmedik dosya sonu"},
      {"[\"abc", 1, 6, "beklenmedik dosya sonu"},
      {"", 1, 1, "beklenmedik dosya sonu"},
      {"[] x", 1, 4, "JSON değerinden sonra fazladan içerik var"},
      {"[\r\n 1,\r\n x]", 3, 2, "beklenmedik karakter"},
      {"\xEF\xBB\xBF[}", 1, 2, "beklenmedik karakter"},  // the byte order mark takes no column
      {std::string(1000, '['), 1, 258, "iç içe yapı çok derin"},
  };
  for (const Malformed& c : cases) {
    SCOPED_TRACE(c.text);
    try {
      ParseJson(c.text);
      ADD_FAILURE() << "accepted";
    } catch (const JsonError& e) {
      const TextPosition where = PositionOf(c.text, e.offset());
      EXPECT_EQ(where.line, c.line);
      EXPECT_EQ(where.column, c.column);
      EXPECT_EQ(std::string(e.what()), "JSON hatası: " + c.message);
    }
  }
}

TEST(JsonTest, ReadsEscapesSurrogatePairsAndKeepsMemberOrder) {
  const JsonValue v = ParseJson(
      "\xEF\xBB\xBF {\"z\": \"\\u00e7\\ud83d\\ude00\\n\\\"\\\\\\/\\t\", \"a\": [true, false, null, "
      "-0.5e2, 0, 39887]}");
  ASSERT_EQ(v.kind, JsonValue::Kind::Object);
  ASSERT_EQ(v.members.size(), 2u);
  EXPECT_EQ(v.members[0].key, "z");
  EXPECT_EQ(v.members[0].value.string, "ç\xF0\x9F\x98\x80\n\"\\/\t");
  EXPECT_EQ(v.members[1].key, "a");
  const auto& items = v.members[1].value.items;
  ASSERT_EQ(items.size(), 6u);
  EXPECT_TRUE(items[0].boolean);
  EXPECT_EQ(items[1].kind, JsonValue::Kind::Boolean);
  EXPECT_FALSE(items[1].boolean);
  EXPECT_EQ(items[2].kind, JsonValue::Kind::Null);
  EXPECT_EQ(items[3].number, -50.0);
  EXPECT_EQ(items[5].number, 39887.0);
}

TEST(JsonTest, WrittenStringsAndNumbersReadBackUnchanged) {
  std::string escaped;
  AppendJsonString(escaped, "a\"b\\c\n\r\t\x01\x7f\xC2\x85ş/");
  EXPECT_EQ(escaped, "\"a\\\"b\\\\c\\n\\r\\t\\u0001\\u007f\\u0085ş/\"");

  const std::vector<std::string> texts = {"", "Kişisel Posta", "ıIiİ ğĞüÜşŞöÖçÇ €",
                                          std::string("\0\x1f\x7f", 3), "\xC2\x80\xC2\x9F"};
  for (const std::string& text : texts) {
    std::string json;
    AppendJsonString(json, text);
    EXPECT_EQ(ParseJson(json).string, text) << json;
  }

  // Straight from Windows-1254 bytes: the same literal as through a UTF-8 copy,
  // for every byte alone and inside a text.
  for (int b = 0; b < 256; ++b) {
    std::string inText = "a";
    inText.push_back(static_cast<char>(b));
    inText += "\xFE\"";
    for (const std::string& text : {std::string(1, static_cast<char>(b)), inText}) {
      std::string viaUtf8;
      AppendJsonString(viaUtf8, Cp1254ToUtf8(text));
      std::string direct;
      AppendCp1254AsJsonString(direct, text);
      EXPECT_EQ(direct, viaUtf8) << "byte " << b;
    }
  }

  const std::vector<std::pair<double, std::string>> numbers = {
      {39887, "39887"}, {0.4375, "0.4375"}, {1.5e-05, "1.5e-05"}, {-693593, "-693593"}};
  for (const auto& [value, written] : numbers) {
    std::string json;
    AppendJsonNumber(json, value);
    EXPECT_EQ(json, written);
  }
  for (double value : {0.1, 1.0 / 3.0, 0.43750142361111113, 2958465.0, 5e-324}) {
    std::string json;
    AppendJsonNumber(json, value);
    EXPECT_EQ(ParseJson(json).number, value) << json;
  }
}

}  // namespace
}  // namespace quilor::cli
