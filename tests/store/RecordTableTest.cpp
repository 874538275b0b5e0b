#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Cp1254.h"
#include "RecordTable.h"

namespace quilor {
namespace {

// Appends one record per title (nullptr = null title), in order.
RecordTable TableOfTitles(const std::vector<const char*>& titles, const QLocale& locale) {
  RecordTable table;
  table.setCollationLocale(locale);
  for (const char* title : titles) {
    table.append();
    if (title != nullptr) table.setText(Field::Title, ToCp1254(QString::fromUtf8(title)).bytes);
    table.post();
  }
  return table;
}

std::vector<std::string> TitlesInOrder(RecordTable& table) {
  std::vector<std::string> titles;
  for (table.first(); !table.eof(); table.next()) {
    titles.push_back(table.isNull(Field::Title)
                         ? "<null>"
                         : FromCp1254(table.text(Field::Title)).toUtf8().toStdString());
  }
  return titles;
}

std::vector<int> IdsInOrder(RecordTable& table) {
  std::vector<int> ids;
  for (table.first(); !table.eof(); table.next()) ids.push_back(table.recordId());
  return ids;
}

const std::vector<const char*> kTurkishTitles = {"Zeytin", "şeker", "Su",    "İzmir",
                                                 "ılık",   "Işık",  "iğne",  "Ilgaz",
                                                 "Çay",    "cam",   "Ördek", "ordu"};

struct CollationCase {
  const char* locale;
  std::vector<std::string> ascending;
};

class SortByLocale : public testing::TestWithParam<CollationCase> {};

TEST_P(SortByLocale, TitlesFollowTheLocaleIgnoringCase) {
  RecordTable table =
      TableOfTitles(kTurkishTitles, QLocale(QString::fromLatin1(GetParam().locale)));
  table.sortByField("ALAN2", true, false);
  EXPECT_EQ(TitlesInOrder(table), GetParam().ascending);

  table.sortByField("alan2", true, true);
  std::vector<std::string> descending(GetParam().ascending.rbegin(), GetParam().ascending.rend());
  EXPECT_EQ(TitlesInOrder(table), descending);
}

INSTANTIATE_TEST_SUITE_P(
    Locales, SortByLocale,
    testing::Values(
        // Turkish: ç after c, ı (and its capital I) before i (and its capital İ).
        CollationCase{"tr_TR",
                      {"cam", "Çay", "Ilgaz", "ılık", "Işık", "iğne", "İzmir", "ordu", "Ördek",
                       "Su", "şeker", "Zeytin"}},
        // English: accents are secondary, I and İ are both i, ı is a letter after i.
        CollationCase{"en_US",
                      {"cam", "Çay", "iğne", "Ilgaz", "Işık", "İzmir", "ılık", "Ördek", "ordu",
                       "şeker", "Su", "Zeytin"}}),
    [](const auto& info) { return std::string(info.param.locale); });

TEST(SortByField, WithoutALocaleTextStillSortsAlphabeticallyIgnoringCase) {
  RecordTable table = TableOfTitles({"ipek", "Zeytin", "Irmak", "armut"}, QLocale::c());
  table.sortByField("ALAN2", true, false);
  EXPECT_EQ(TitlesInOrder(table), (std::vector<std::string>{"armut", "ipek", "Irmak", "Zeytin"}));
}

TEST(SortByField, EqualValuesKeepCreationOrderAscendingAndReverseItDescending) {
  RecordTable table = TableOfTitles({"Mail", "Banka", "BANKA", "banka"}, QLocale("tr_TR"));
  table.sortByField("ALAN2", true, false);
  EXPECT_EQ(IdsInOrder(table), (std::vector<int>{2, 3, 4, 1}));
  table.sortByField("ALAN2", true, true);
  EXPECT_EQ(IdsInOrder(table), (std::vector<int>{1, 4, 3, 2}));
}

TEST(SortByField, NullBeforeEmptyBeforeText) {
  RecordTable table = TableOfTitles({"a", "", nullptr}, QLocale("en_US"));
  table.sortByField("ALAN2", true, false);
  EXPECT_EQ(TitlesInOrder(table), (std::vector<std::string>{"<null>", "", "a"}));
  table.sortByField("ALAN2", true, true);
  EXPECT_EQ(TitlesInOrder(table), (std::vector<std::string>{"a", "", "<null>"}));
}

TEST(SortByField, CurrentRecordStaysCurrentAndEmptyTableIsFine) {
  RecordTable empty;
  empty.sortByField("ALAN2", true, false);
  EXPECT_TRUE(empty.isEmpty());

  RecordTable table = TableOfTitles({"c", "a", "b"}, QLocale("en_US"));
  table.first();  // "c"
  table.sortByField("ALAN2", true, false);
  EXPECT_EQ(table.text(Field::Title), "c");
  EXPECT_EQ(table.recordNo(), 3);
}

TEST(SortByField, BooleansFalseFirst) {
  RecordTable table;
  for (bool flag : {true, false, true}) {
    table.append();
    table.setBoolean(Field::ShowInTray, flag);
    table.post();
  }
  table.sortByField("ALAN17", true, false);
  EXPECT_EQ(IdsInOrder(table), (std::vector<int>{2, 1, 3}));
  table.sortByField("ALAN17", true, true);
  EXPECT_EQ(IdsInOrder(table), (std::vector<int>{3, 1, 2}));
}

// A date sorts as the list shows it: by the day, then by the time kept beside
// it; dates and times the list leaves empty all count as null, so those
// records keep their creation order.
TEST(SortByField, DatesByTheDayThenTheTimeShown) {
  constexpr double kUnset = -1;  // the field stays null
  struct Row {
    double date;
    double time;
  };
  const Row rows[] = {
      {45356.75, 0.5},  // 1: 05.03.2024 12:00 (the date's own fraction is no time)
      {45355, 0.9},     // 2: 04.03.2024 21:36
      {kUnset, 0.1},    // 3: no date, so no time either
      {45356, 0.25},    // 4: 05.03.2024 06:00
      {0, kUnset},      // 5: zero is no date
      {45356, kUnset},  // 6: 05.03.2024, time never set
      {1e20, 0.3},      // 7: beyond the calendar
      {45356, 1.25},    // 8: a time with a day part: 06:00 again
  };
  RecordTable table;
  for (const Row& r : rows) {
    table.append();
    for (int date : {Field::CreatedDate, Field::PasswordChangedDate}) {
      if (r.date != kUnset) table.setNumber(date, r.date);
    }
    if (r.time != kUnset) table.setNumber(Field::PasswordChangedTime, r.time);
    table.post();
  }

  table.sortByField("ALAN12", true, false);
  EXPECT_EQ(IdsInOrder(table), (std::vector<int>{3, 5, 7, 2, 6, 4, 8, 1}));
  table.sortByField("ALAN12", true, true);
  EXPECT_EQ(IdsInOrder(table), (std::vector<int>{1, 8, 4, 6, 2, 7, 5, 3}));

  // The record date stands alone: one day is one value, whatever the time.
  table.sortByField("ALAN11", true, false);
  EXPECT_EQ(IdsInOrder(table), (std::vector<int>{3, 5, 7, 2, 1, 4, 6, 8}));
}

TEST(RecordFields, TextIsCutAtItsLimitAndAtAZeroByte) {
  RecordTable table;
  table.append();
  table.setText(Field::Title, std::string(60, 'x'));
  EXPECT_EQ(table.text(Field::Title), std::string(50, 'x'));
  table.setText(Field::Description, std::string("before\0after", 12));
  EXPECT_EQ(table.text(Field::Description), "before");
  table.setText(Field::Group, "");
  EXPECT_FALSE(table.isNull(Field::Group));
  EXPECT_TRUE(table.isNull(Field::WebAddress));
  EXPECT_EQ(table.text(Field::WebAddress), "");
  table.post();
}

TEST(RecordFields, DateKeepsTheDayAndTimeTheTimeOfDay) {
  RecordTable table;
  table.append();
  table.setNumber(Field::PasswordChangedDate, 39887.4375);
  table.setNumber(Field::PasswordChangedTime, 39887.4375);
  EXPECT_EQ(table.number(Field::PasswordChangedDate), 39887.0);
  EXPECT_EQ(table.number(Field::PasswordChangedTime), 0.4375);
  table.post();
}

TEST(RecordFields, AssigningOutsideAppendOrEditIsRefused) {
  RecordTable table;
  table.append();
  table.post();
  EXPECT_THROW(table.setText(Field::Title, "x"), std::logic_error);
  table.edit();
  EXPECT_NO_THROW(table.setText(Field::Title, "x"));
  table.post();
}

TEST(FieldNames, AreFoundWithoutRegardToCase) {
  EXPECT_EQ(FieldIndexByName("alan17"), Field::ShowInTray);
  EXPECT_EQ(FieldIndexByName("ALAN1"), Field::RecordNumber);
  EXPECT_EQ(FieldIndexByName("ALAN21"), -1);
  EXPECT_EQ(FieldIndexByName("ALAN"), -1);
}

RecordTable TableOfRecordNumbers(const std::vector<std::string>& numbers) {
  RecordTable table;
  for (const auto& number : numbers) {
    table.append();
    table.setText(Field::RecordNumber, number);
    table.post();
  }
  return table;
}

TEST(Locate, FindsExactMatchAndAMissKeepsTheCursor) {
  RecordTable table = TableOfRecordNumbers({"A1", "b2", "C3"});
  table.first();
  table.next();  // "b2"
  EXPECT_FALSE(table.locate("B2"));
  EXPECT_EQ(table.recordNo(), 2);
  EXPECT_FALSE(table.locate("nowhere"));
  EXPECT_EQ(table.recordNo(), 2);
  EXPECT_TRUE(table.locate("C3"));
  EXPECT_EQ(table.recordNo(), 3);
  EXPECT_TRUE(table.locate("A1"));
  EXPECT_EQ(table.recordNo(), 1);
}

TEST(Walk, FirstNextEndOfTableDeleteAndReturn) {
  RecordTable table;
  table.first();
  EXPECT_TRUE(table.eof());

  table = TableOfRecordNumbers({"1", "2", "3"});
  table.first();
  table.next();
  const auto mark = table.remember();  // "2"
  table.sortByField("ALAN1", true, true);
  table.first();
  table.returnTo(mark);
  EXPECT_EQ(table.text(Field::RecordNumber), "2");

  table.deleteCurrent();  // the next record in order becomes current
  EXPECT_EQ(table.text(Field::RecordNumber), "1");
  EXPECT_EQ(table.recordCount(), 2u);
  table.deleteCurrent();  // the last one deleted: the new last is current
  EXPECT_EQ(table.text(Field::RecordNumber), "3");

  table.removeAllRecords();
  table.append();
  EXPECT_EQ(table.recordId(), 1);  // ids restart after emptying
  table.post();
  table.next();
  EXPECT_TRUE(table.eof());
}

}  // namespace
}  // namespace quilor
