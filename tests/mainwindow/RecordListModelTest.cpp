// The record list's rows over a record table: every cell is read from the
// table, so each must come from its own row's record, whatever happened to
// the table since it was listed.
#include <gtest/gtest.h>

#include <QStringList>

#include "Cp1254.h"
#include "Fields.h"
#include "RecordListModel.h"
#include "RecordTable.h"
#include "SampleRecords.h"

namespace quilor {
namespace {

class ListedRecords : public ::testing::Test {
 protected:
  void SetUp() override {
    table.setCollationLocale(QLocale(QLocale::Turkish, QLocale::Turkey));
    test::AppendSample(table, {.title = "Ziraat",
                               .group = "Banka",
                               .webAddress = "www.ziraat.com.tr",
                               .recordDate = test::Days(2024, 3, 1),
                               .recordNumber = "202401010900000000001"});
    test::AppendSample(table, {.title = "Çiçekçi",
                               .group = "Alışveriş",
                               .specialCode1 = "K-17",
                               .recordDate = test::Days(2023, 1, 5),
                               .recordNumber = "202401010900000000002"});
    test::AppendSample(table, {.title = "İş e-postası",
                               .group = "İş",
                               .description = "şirket",
                               .recordNumber = "202401010900000000003"});
  }

  QStringList column(int c) const {
    QStringList cells;
    for (int row = 0; row < model.rowCount(); ++row) cells << model.index(row, c).data().toString();
    return cells;
  }
  std::string numberOfRow(int row) const { return model.recordNumber(row).value_or("none"); }

  RecordTable table;
  RecordListModel model;
};

TEST_F(ListedRecords, EveryColumnFollowsItsRecordThroughASortAndANewListing) {
  table.sortByField(kFields[Field::Title].name, true, false);
  model.showRecords(table, {});
  EXPECT_EQ(column(0), (QStringList{"Çiçekçi", "İş e-postası", "Ziraat"}));

  table.sortByField(kFields[Field::Group].name, true, true);
  model.showRecords(table, {});
  EXPECT_EQ(column(0), (QStringList{"İş e-postası", "Ziraat", "Çiçekçi"}));
  EXPECT_EQ(column(1), (QStringList{"İş", "Banka", "Alışveriş"}));
  EXPECT_EQ(column(2), (QStringList{"şirket", "", ""}));
  EXPECT_EQ(column(3), (QStringList{"", "www.ziraat.com.tr", ""}));
  EXPECT_EQ(column(4), (QStringList{"", "", "K-17"}));
  const RowDateFormats& dates = model.dateFormats();
  EXPECT_EQ(column(6), (QStringList{"", dates.date(test::Days(2024, 3, 1)),
                                    dates.date(test::Days(2023, 1, 5))}));
  EXPECT_EQ(numberOfRow(0), "202401010900000000003");
  EXPECT_EQ(numberOfRow(1), "202401010900000000001");
  EXPECT_EQ(model.rowOfRecord("202401010900000000002"), 2);

  // A search chooses among the listed records in their order.
  model.showMatching(QStringLiteral("ş"));
  EXPECT_EQ(column(0), (QStringList{"İş e-postası", "Çiçekçi"}));
  EXPECT_EQ(model.rowOfRecord("202401010900000000002"), 1);
  EXPECT_EQ(model.rowOfRecord("202401010900000000001"), -1);
}

TEST_F(ListedRecords, AnEditedRecordShowsAndIsFoundByItsNewTextOnceListedAgain) {
  model.showRecords(table, QStringLiteral("banka"));
  ASSERT_EQ(column(0), QStringList{"Ziraat"});

  ASSERT_TRUE(table.locate("202401010900000000001"));
  table.edit();
  table.setText(Field::Group, ToCp1254(QStringLiteral("Maaş")).bytes);
  table.post();
  model.showRecords(table, QStringLiteral("banka"));
  EXPECT_EQ(model.rowCount(), 0);
  model.showMatching(QStringLiteral("maaş"));
  EXPECT_EQ(column(0), QStringList{"Ziraat"});
  EXPECT_EQ(column(1), QStringList{"Maaş"});
}

// Until the window lists the records again, a row whose record left its
// place (deleted, or moved by a sort) shows nothing and names no record:
// neither its cells nor a command may reach another record.
TEST_F(ListedRecords, ARowWhoseRecordLeftItsPlaceShowsNothingAndNamesNoRecord) {
  model.showRecords(table, {});
  ASSERT_TRUE(table.locate("202401010900000000003"));
  table.deleteCurrent();
  EXPECT_EQ(model.rowCount(), 3);
  EXPECT_EQ(column(0), (QStringList{"Ziraat", "Çiçekçi", ""}));
  EXPECT_EQ(numberOfRow(2), "none");
  EXPECT_EQ(model.rowOfRecord("202401010900000000003"), -1);
  model.showMatching(QStringLiteral("postası"));
  EXPECT_EQ(model.rowCount(), 0);
  model.showMatching({});

  table.sortByField(kFields[Field::Title].name, true, false);  // Çiçekçi, Ziraat
  EXPECT_EQ(column(0), (QStringList{"", "", ""}));
  EXPECT_EQ(numberOfRow(0), "none");
  EXPECT_EQ(model.rowOfRecord("202401010900000000001"), -1);

  model.clear();
  EXPECT_EQ(model.rowCount(), 0);
  EXPECT_EQ(model.recordNumber(0), std::nullopt);
  model.showMatching({});
  EXPECT_EQ(model.rowCount(), 0);
}

}  // namespace
}  // namespace quilor
