#include <gtest/gtest.h>

#include <QDateTime>
#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "RecordAdding.h"
#include "TableMerge.h"
#include "TextConversion.h"

namespace quilor::cli {
namespace {

const QDateTime kNow(QDate(2026, 12, 10), QTime(21, 30));

struct Row {
  std::string number;
  std::string title;  // UTF-8
  std::string password = "p";
};

RecordTable TableOf(const std::vector<Row>& rows) {
  RecordTable table;
  for (const Row& row : rows) {
    table.append();
    table.setText(Field::RecordNumber, row.number);
    table.setText(Field::Title, Utf8ToCp1254(row.title).bytes);
    table.setText(Field::Password, row.password);
    table.post();
  }
  return table;
}

std::vector<std::string> Titles(RecordTable& table) {
  std::vector<std::string> titles;
  for (table.first(); !table.eof(); table.next()) {
    titles.push_back(Cp1254ToUtf8(table.text(Field::Title)));
  }
  return titles;
}

const std::string kLong50(50, 'u');

struct MergeCase {
  const char* name;
  std::vector<Row> mine;
  std::vector<Row> other;
  // The titles afterwards, in table order: the file's own records first.
  std::vector<std::string> titles;
  int added;
  int same;
  std::vector<std::pair<std::string, std::string>> conflicts;
};

void PrintTo(const MergeCase& c, std::ostream* os) { *os << c.name; }

class MergeByRecordNumberTest : public testing::TestWithParam<MergeCase> {};

TEST_P(MergeByRecordNumberTest, KeepsEveryVersionOfEveryRecord) {
  const MergeCase& c = GetParam();
  RecordTable mine = TableOf(c.mine);
  RecordTable other = TableOf(c.other);
  const MergeReport report = MergeByRecordNumber(mine, other, kNow);
  EXPECT_EQ(Titles(mine), c.titles);
  EXPECT_EQ(report.added, c.added);
  EXPECT_EQ(report.same, c.same);
  std::vector<std::pair<std::string, std::string>> conflicts;
  for (const auto& [title, copy] : report.conflicts) {
    conflicts.emplace_back(Cp1254ToUtf8(title), Cp1254ToUtf8(copy));
  }
  EXPECT_EQ(conflicts, c.conflicts);
  // Every record keeps a number of its own, and the written ones are listed.
  std::set<std::string> numbers;
  for (mine.first(); !mine.eof(); mine.next()) numbers.insert(mine.text(Field::RecordNumber));
  EXPECT_EQ(numbers.size(), mine.recordCount());
  EXPECT_EQ(report.written.size(), static_cast<std::size_t>(c.added) + c.conflicts.size());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MergeByRecordNumberTest,
    testing::Values(
        MergeCase{"OnlyInOtherIsAdded",
                  {{"1", "Banka"}},
                  {{"1", "Banka"}, {"2", "Posta"}},
                  {"Banka", "Posta"},
                  1,
                  1,
                  {}},
        MergeCase{"OnlyInFileStays",
                  {{"1", "Banka"}, {"2", "Posta"}},
                  {{"1", "Banka"}},
                  {"Banka", "Posta"},
                  0,
                  1,
                  {}},
        MergeCase{"EqualIsKeptOnce",
                  {{"1", "Banka"}, {"2", "Posta"}},
                  {{"2", "Posta"}, {"1", "Banka"}},
                  {"Banka", "Posta"},
                  0,
                  2,
                  {}},
        MergeCase{"DifferingKeepsBoth",
                  {{"1", "Banka", "eski"}, {"2", "Posta"}},
                  {{"1", "Banka", "yeni"}, {"2", "Posta 2"}},
                  {"Banka", "Posta", "Banka (çakışma)", "Posta 2 (çakışma)"},
                  0,
                  0,
                  {{"Banka", "Banka (çakışma)"}, {"Posta", "Posta 2 (çakışma)"}}},
        MergeCase{"LongTitleIsCutForTheMark",
                  {{"1", kLong50, "eski"}},
                  {{"1", kLong50, "yeni"}},
                  {kLong50, std::string(40, 'u') + " (çakışma)"},
                  0,
                  0,
                  {{kLong50, std::string(40, 'u') + " (çakışma)"}}},
        MergeCase{"EmptyFile", {}, {{"1", "Banka"}, {"2", "Posta"}}, {"Banka", "Posta"}, 2, 0, {}}),
    [](const testing::TestParamInfo<MergeCase>& info) { return std::string(info.param.name); });

TEST(AddNewRecords, SkipsLoginsAlreadyThereAndNumbersTheRestAnew) {
  RecordTable table =
      TableOf({{"20260101000000000"
                "0001",
                "Banka"}});
  std::vector<ImportedRecord> records(4);
  auto set = [&](std::size_t i, const std::string& title, const std::string& password) {
    records[i].values.setText(Field::RecordNumber,
                              "20260101000000000"
                              "0001");
    records[i].values.setText(Field::Title, title);
    records[i].values.setText(Field::Password, password);
  };
  set(0, "Banka", "p");  // already there
  set(1, "Banka", "q");  // another password: another login
  set(2, "Posta", "p");
  set(3, "Posta", "p");  // twice in the import
  const AddedRecords added = AddNewRecords(table, records, kNow);
  EXPECT_EQ(added.duplicates, (std::vector<std::size_t>{0, 3}));
  EXPECT_EQ(Titles(table), (std::vector<std::string>{"Banka", "Banka", "Posta"}));
  ASSERT_EQ(added.numbers.size(), 2u);
  for (const std::string& number : added.numbers) {
    EXPECT_EQ(number.size(), 21u);
    EXPECT_EQ(number.substr(0, 12), "202612102130");
  }
  EXPECT_NE(added.numbers[0], added.numbers[1]);
}

}  // namespace
}  // namespace quilor::cli
