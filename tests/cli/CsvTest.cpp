// CSV as other password managers write it, and the records made from it.
#include <gtest/gtest.h>

#include <QDateTime>
#include <algorithm>
#include <string>
#include <vector>

#include "Csv.h"
#include "ExitCodes.h"
#include "RecordCsv.h"
#include "RecordStamps.h"
#include "TextConversion.h"

namespace quilor::cli {
namespace {

using Rows = std::vector<std::vector<std::string>>;

Rows FieldsOf(const std::vector<CsvRow>& rows) {
  Rows fields;
  for (const CsvRow& row : rows) fields.push_back(row.fields);
  return fields;
}

TEST(Csv, ReadsQuotedFieldsLineEndsAndTheByteOrderMark) {
  const std::pair<const char*, Rows> cases[] = {
      {"a,b\r\n1,2\r\n", {{"a", "b"}, {"1", "2"}}},
      {"a,b\n1,2", {{"a", "b"}, {"1", "2"}}},
      {"\xEF\xBB\xBF"
       "a\n",
       {{"a"}}},
      {"\"x, y\",\"say \"\"hi\"\"\"\n", {{"x, y", "say \"hi\""}}},
      {"\"two\r\nlines\",z\n", {{"two\r\nlines", "z"}}},
      {",,\n", {{"", "", ""}}},
      {"a\n\n\r\nb\n", {{"a"}, {"b"}}},
      {"\"\"\n", {{""}}},
      {"", {}},
  };
  for (const auto& [text, expected] : cases) {
    EXPECT_EQ(FieldsOf(ParseCsv(text)), expected) << text;
  }
}

TEST(Csv, ReportsWhereTheTextBreaksTheFormat) {
  const std::pair<const char*, std::size_t> cases[] = {
      {"a,b\"c\n", 3},         // a quote inside an unquoted field
      {"\"a\"b,c\n", 3},       // text after the closing quote
      {"x\n\"open,end\n", 2},  // a quote left open
  };
  for (const auto& [text, offset] : cases) {
    try {
      ParseCsv(text);
      ADD_FAILURE() << "accepted " << text;
    } catch (const CsvError& error) {
      EXPECT_EQ(error.offset(), offset) << text;
    }
  }
}

TEST(Csv, WritesEveryFieldQuotedWithCrlf) {
  std::string out;
  AppendCsvRow(out, {"a", "b,\"c\"", ""});
  EXPECT_EQ(out, "\"a\",\"b,\"\"c\"\"\",\"\"\r\n");
  EXPECT_EQ(FieldsOf(ParseCsv(out)), (Rows{{"a", "b,\"c\"", ""}}));
}

const QDateTime kNow(QDate(2026, 3, 4), QTime(10, 20, 30, 400));

std::string Text(const ImportedRecord& record, int field) {
  return Cp1254ToUtf8(record.values[field].text);
}

TEST(RecordCsv, MapsColumnsByTheirHeaderNamesWhateverTheirCaseAndOrder) {
  const CsvRecords read = RecordsFromCsv(
      " notes ,TOTP,LOGIN,Name,Password,Web,Grup,Created\n"
      "not,otp,kullanıcı,Bankam İş,şifre,https://örnek.com,Çalışma,2020\n"
      "\"\",,,İkinci,p,,,\n"
      ",x,,,,,,y\n",
      {}, kNow);
  EXPECT_EQ(read.unknownColumns, (std::vector<std::string>{"TOTP"}));
  EXPECT_EQ(read.unreadDates,
            (std::vector<std::string>{
                "satır 2 \"Bankam İş\", Created: tarih okunamadı, alınmadı: 2020"}));
  ASSERT_EQ(read.records.size(), 2u);
  const ImportedRecord& first = read.records[0];
  EXPECT_EQ(Text(first, Field::Title), "Bankam İş");
  EXPECT_EQ(Text(first, Field::UserName), "kullanıcı");
  EXPECT_EQ(Text(first, Field::Password), "şifre");
  EXPECT_EQ(Text(first, Field::WebAddress), "https://örnek.com");
  EXPECT_EQ(Text(first, Field::Group), "Çalışma");
  EXPECT_EQ(Text(first, Field::Description), "not");
  EXPECT_TRUE(first.values[Field::Password2].isNull);
  EXPECT_EQ(first.values[Field::CreatedDate].number, DayNumber(kNow.date()));
  // New record numbers, one millisecond apart so that they differ.
  const std::string number1(first.values[Field::RecordNumber].text);
  const std::string number2(read.records[1].values[Field::RecordNumber].text);
  EXPECT_EQ(number1.size(), 21u);
  EXPECT_EQ(number1.substr(0, 17), "20260304102030401");
  EXPECT_EQ(number2.substr(0, 17), "20260304102030402");
  EXPECT_EQ(number1[17], '0');
}

TEST(RecordCsv, RefusesHeadersItCannotUse) {
  for (const char* csv : {"", "\n\n", "TOTP,Icon\nx,y\n", "Title,Name\na,b\n"}) {
    EXPECT_THROW(RecordsFromCsv(csv, {}, kNow), CsvError) << csv;
  }
  EXPECT_THROW(RecordsFromCsv("Title,Password\na\n", {}, kNow), CsvError);
  EXPECT_THROW(RecordsFromCsv("Title\n\xC3\x28\n", {}, kNow), CsvError);
}

std::string RefusalOf(const std::string& csv, bool truncate) {
  try {
    RecordsFromCsv(csv, {.truncate = truncate}, kNow);
  } catch (const CliError& error) {
    EXPECT_EQ(error.exitCode(), kExitBadInput);
    return error.what();
  }
  ADD_FAILURE() << "accepted";
  return {};
}

// 201 letters for the 200-byte notes; ş is one byte in Windows-1254.
const std::string kLongNotes = std::string(200, 'n') + "ş";
const std::string kLongTitle(51, 't');
const std::string kNotReadBack =
    "veri dosyası bu değeri olduğu gibi geri vermiyor (baştaki ve sondaki boşluklar ile değeri "
    "saran tırnaklar kaybolur)";

TEST(RecordCsv, ListsEveryValueThatDoesNotFitAndWritesNothing) {
  const std::string csv =
      "Title,Notes,Password\n"
      "Kısa,ok,p\n" +
      kLongTitle + "," + kLongNotes + ",p\n" +
      "Banka,\"iki\nsatır\",p€\n"
      "Emoji,,😀\n"
      "\" Boşluk\",\"'tırnak'\",\" şifre \"\n";
  const std::string message = RefusalOf(csv, false);
  EXPECT_EQ(
      message,
      "şu değerler veri dosyasına olduğu gibi yazılamıyor; hiçbir şey yazılmadı:\n"
      "  satır 3 \"" +
          kLongTitle +
          "\", Title: en çok 50 bayt alır, bu değer "
          "Windows-1254'te 51 bayt\n"
          "  satır 3 \"" +
          kLongTitle +
          "\", Notes: en çok 200 bayt alır, bu değer "
          "Windows-1254'te 201 bayt\n"
          "  satır 4 \"Banka\", Notes: satır sonu içeremez (veri dosyası satır satır okunur)\n"
          "  satır 6 \"Emoji\", Password: şu karakter Windows-1254'te yok: '😀' (U+1F600)\n"
          "  satır 7 \" Boşluk\", Title: " +
          kNotReadBack + "\n  satır 7 \" Boşluk\", Notes: " + kNotReadBack +
          "\nçok satırlı değerleri tek satır olarak (satırlar \" / \" ile birleşir) almak için "
          "--join-lines verin");
  // Only length problems: the hint names the way out.
  EXPECT_NE(RefusalOf("Title\n" + kLongTitle + "\n", false).find("--truncate"), std::string::npos);
  // --truncate cuts lengths but does not make the other problems go away.
  EXPECT_NE(RefusalOf(csv, true).find("satır 4 \"Banka\", Notes: satır sonu"), std::string::npos);
}

TEST(RecordCsv, JoinLinesMakesEachMultiLineValueOneLineAndListsItsRecord) {
  const std::string csv =
      "Title,Notes,Password\n"
      "Banka,\"Şube: Kadıköy\r\n\r\nmüşteri no 123\n\",p\n"
      "Posta,tek satır,p\n";
  EXPECT_NE(RefusalOf(csv, false).find("--join-lines"), std::string::npos);
  const CsvRecords read = RecordsFromCsv(csv, {.joinLines = true}, kNow);
  ASSERT_EQ(read.records.size(), 2u);
  EXPECT_EQ(Text(read.records[0], Field::Description), "Şube: Kadıköy / müşteri no 123");
  EXPECT_EQ(Text(read.records[1], Field::Description), "tek satır");
  EXPECT_EQ(
      read.joinedValues,
      (std::vector<std::string>{"satırları \" / \" ile birleştirildi: satır 2 \"Banka\", Notes"}));
}

// KeePassXC writes its dates in UTC; the record holds them in local time.
TEST(RecordCsv, TakesCreatedAndLastModifiedAsTheRecordsDates) {
  const CsvRecords read = RecordsFromCsv(
      "Title,Last Modified,Created\n"
      "Banka,2024-05-01T09:30:15Z,2019-02-03T10:00:00Z\n"
      "Posta,,\n",
      {}, kNow);
  ASSERT_EQ(read.records.size(), 2u);
  const QDateTime modified = QDateTime(QDate(2024, 5, 1), QTime(9, 30, 15), Qt::UTC).toLocalTime();
  const QDateTime created = QDateTime(QDate(2019, 2, 3), QTime(10, 0), Qt::UTC).toLocalTime();
  const RecordValues& banka = read.records[0].values;
  EXPECT_EQ(banka[Field::CreatedDate].number, DayNumber(created.date()));
  EXPECT_EQ(banka[Field::PasswordChangedDate].number, DayNumber(modified.date()));
  EXPECT_EQ(banka[Field::PasswordChangedTime].number, TimeOfDayNumber(modified.time()));
  // Without dates: created today, password never changed.
  const RecordValues& posta = read.records[1].values;
  EXPECT_EQ(posta[Field::CreatedDate].number, DayNumber(kNow.date()));
  EXPECT_TRUE(posta[Field::PasswordChangedDate].isNull);
  EXPECT_TRUE(read.unreadDates.empty());
}

TEST(RecordCsv, DropsKeePassXcsRootGroupOnlyWhenEveryRowSharesItAndSomeRowGoesDeeper) {
  struct Case {
    std::vector<std::string> groups;
    std::vector<std::string> expected;
    std::string header = "Group,Title,TOTP,Icon\n";
  };
  for (const Case& c : std::vector<Case>{
           {{"Root", "Root/E-posta", "Root/İş/Banka"}, {"", "E-posta", "İş/Banka"}},
           {{"Passwords/A", "Passwords/B"}, {"A", "B"}},
           {{"İş", "İş"}, {"İş", "İş"}},
           {{"Root/E-posta", "Diğer/Banka"}, {"Root/E-posta", "Diğer/Banka"}},
           {{"Root/E-posta", ""}, {"Root/E-posta", ""}},
           {{"Rootx/a", "Root/b"}, {"Rootx/a", "Root/b"}},
           {{"Root", "Root/E-posta"}, {"", "E-posta"}, "Group,Title,Last Modified\n"},
           // Our own export: groups come back as they were written.
           {{"İş", "İş/Banka"}, {"İş", "İş/Banka"}, "Group,Title\n"},
       }) {
    std::string csv = c.header;
    const std::string emptyColumns(std::count(c.header.begin(), c.header.end(), ',') - 1, ',');
    for (std::size_t i = 0; i < c.groups.size(); ++i) {
      csv += c.groups[i] + ",t" + std::to_string(i) + emptyColumns + "\n";
    }
    const CsvRecords read = RecordsFromCsv(csv, {}, kNow);
    std::vector<std::string> groups;
    for (const ImportedRecord& record : read.records) groups.push_back(Text(record, Field::Group));
    EXPECT_EQ(groups, c.expected) << csv;
  }
}

TEST(RecordCsv, TruncateCutsEachLongValueToItsFieldAndListsIt) {
  const std::string longPassword(400, 'p');
  const CsvRecords read = RecordsFromCsv(
      "Title,Notes,Password\n" + kLongTitle + "," + kLongNotes + "," + longPassword + "\n",
      {.truncate = true}, kNow);
  ASSERT_EQ(read.records.size(), 1u);
  EXPECT_EQ(Text(read.records[0], Field::Title), std::string(50, 't'));
  EXPECT_EQ(Text(read.records[0], Field::Description), std::string(200, 'n'));
  // A secret must leave room for its protected form.
  EXPECT_EQ(read.records[0].values[Field::Password].text.size(), 353u);
  EXPECT_EQ(read.cutValues,
            (std::vector<std::string>{
                "kısaltıldı: satır 2 \"" + kLongTitle + "\", Title: 51 bayttan 50 bayta",
                "kısaltıldı: satır 2 \"" + kLongTitle + "\", Notes: 201 bayttan 200 bayta",
                "kısaltıldı: satır 2 \"" + kLongTitle + "\", Password: 400 bayttan 353 bayta"}));
}

}  // namespace
}  // namespace quilor::cli
