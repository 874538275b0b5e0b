#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RecordJson.h"

namespace quilor::cli {
namespace {

std::string Repeat(const std::string& piece, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += piece;
  return out;
}

std::string Quoted(const std::string& text) {
  std::string out = "\"";
  return out.append(text).append("\"");
}

// One record's JSON object holding a single key.
std::string OneRecord(const std::string& key, const std::string& jsonValue) {
  std::string out = "[{\"ALAN2\": \"Başlık\", ";
  return out.append(Quoted(key)).append(": ").append(jsonValue).append("}]");
}

struct Refused {
  std::string json;
  std::string message;
};

TEST(RecordJsonTest, RefusesWhatTheDataFileWouldNotKeepExactly) {
  const std::vector<Refused> cases = {
      {"{}", "kayıtların dizisi bekleniyordu"},
      {"[1]", "her kayıt ALAN1..ALAN20 anahtarlı bir nesne olmalı"},
      {OneRecord("ALAN21", "1"), "kayıt 1, bilinmeyen anahtar (ALAN1..ALAN20 beklenir): ALAN21"},
      {OneRecord("alan6", "\"x\""), "kayıt 1, bilinmeyen anahtar (ALAN1..ALAN20 beklenir): alan6"},
      {OneRecord("ALAN6", "5"), "kayıt 1, ALAN6: bir dizgi ya da null olmalı"},
      {OneRecord("ALAN11", "\"2009-03-15\""), "kayıt 1, ALAN11: 30.12.1899'dan bu yana tam gün"},
      {OneRecord("ALAN11", "39887.5"), "kayıt 1, ALAN11: 30.12.1899'dan bu yana tam gün"},
      {OneRecord("ALAN12", "2958466"), "kayıt 1, ALAN12: 30.12.1899'dan bu yana tam gün"},
      {OneRecord("ALAN13", "1"), "kayıt 1, ALAN13: 0 ile 1 arasında bir gün kesri"},
      {OneRecord("ALAN13", "-0.25"), "kayıt 1, ALAN13: 0 ile 1 arasında bir gün kesri"},
      // Rounded to the millisecond it would be the next midnight, read back as 0.
      {OneRecord("ALAN15", "0.999999999"), "kayıt 1, ALAN15: 0 ile 1 arasında bir gün kesri"},
      {OneRecord("ALAN17", "-1"), "kayıt 1, ALAN17: true, false ya da null olmalı"},
      {OneRecord("ALAN6", Quoted(Repeat("a", 201))),
       "kayıt 1, ALAN6: en çok 200 bayt alır, bu değer Windows-1254'te 201 bayt"},
      {OneRecord("ALAN10", Quoted(Repeat("ş", 31))),
       "kayıt 1, ALAN10: en çok 30 bayt alır, bu değer Windows-1254'te 31 bayt"},
      {OneRecord("ALAN3", Quoted(Repeat("k", 356))), "kayıt 1, ALAN3: en çok 355 bayt alır"},
      {OneRecord("ALAN4", Quoted(Repeat("ğ", 354))), "kayıt 1, ALAN4: en çok 353 bayt alır"},
      {OneRecord("ALAN5", Quoted(Repeat("p", 353))), "kayıt 1, ALAN5: en çok 352 bayt alır"},
      {OneRecord("ALAN6", "\"gülen \\ud83d\\ude00\""),
       "kayıt 1, ALAN6: şu karakter Windows-1254'te yok: '\xF0\x9F\x98\x80' (U+1F600)"},
      {OneRecord("ALAN16", "\"{TAB}\\n{ENTER}\""), "kayıt 1, ALAN16: satır sonu içeremez"},
      {OneRecord("ALAN7", "\"a\\rb\""), "kayıt 1, ALAN7: satır sonu içeremez"},
      {OneRecord("ALAN8", "\"a\\u0000b\""), "kayıt 1, ALAN8: NUL (U+0000) karakteri içeremez"},
      {"[{\"ALAN2\": \"bir\"}, {\"ALAN2\": 2}]", "kayıt 2, ALAN2: bir dizgi ya da null olmalı"},
  };
  for (const Refused& c : cases) {
    SCOPED_TRACE(c.json.substr(0, 80));
    try {
      RecordsFromJson(ParseJson(c.json));
      ADD_FAILURE() << "accepted";
    } catch (const JsonError& e) {
      EXPECT_EQ(std::string(e.what()).substr(0, c.message.size()), c.message) << e.what();
    }
  }
}

TEST(RecordJsonTest, TheRefusalPointsAtTheOffendingValue) {
  const std::string json = "[\n  {\"ALAN2\": \"x\",\n   \"ALAN11\": true}\n]";
  try {
    RecordsFromJson(ParseJson(json));
    FAIL() << "accepted";
  } catch (const JsonError& e) {
    const TextPosition where = PositionOf(json, e.offset());
    EXPECT_EQ(where.line, 3);
    EXPECT_EQ(where.column, 14);
  }
}

TEST(RecordJsonTest, AcceptsEveryKindAtItsLimits) {
  const std::string json = "[{\"ALAN1\": null, \"ALAN2\": \"" + Repeat("ş", 50) +
                           "\", \"ALAN4\": \"" + Repeat("ı", 353) +
                           "\", \"ALAN7\": \"\", \"ALAN11\": -693593, \"ALAN12\": 2958465, "
                           "\"ALAN13\": 0.4375, \"ALAN15\": 0, \"ALAN17\": false, "
                           "\"ALAN18\": \"€ Şifre\"}]";
  const std::vector<ImportedRecord> records = RecordsFromJson(ParseJson(json));
  ASSERT_EQ(records.size(), 1u);
  const auto& v = records[0].values;
  EXPECT_TRUE(v[Field::RecordNumber].isNull);
  EXPECT_EQ(v[Field::Title].text, std::string(50, '\xFE'));
  EXPECT_EQ(v[Field::Password].text, std::string(353, '\xFD'));
  EXPECT_FALSE(v[Field::WebAddress].isNull);
  EXPECT_EQ(v[Field::WebAddress].text, "");
  EXPECT_EQ(v[Field::CreatedDate].number, -693593);
  EXPECT_EQ(v[Field::PasswordChangedTime].number, 0.4375);
  EXPECT_FALSE(v[Field::Password2ChangedTime].isNull);
  EXPECT_FALSE(v[Field::ShowInTray].isNull);
  EXPECT_FALSE(v[Field::ShowInTray].flag);
  EXPECT_EQ(v[Field::Password2Caption].text,
            "\x80 \xDE"
            "ifre");
  EXPECT_TRUE(v[Field::AutoFillScript].isNull);
}

}  // namespace
}  // namespace quilor::cli
