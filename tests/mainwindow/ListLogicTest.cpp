// Header clicks, row texts and the clipboard countdown, without a window.
#include <gtest/gtest.h>

#include "ClipboardCountdown.h"
#include "ColumnSort.h"
#include "Fields.h"
#include "RecordRow.h"
#include "RecordTable.h"

namespace quilor {
namespace {

TEST(ColumnClick, FollowsTheHeaderClickSequence) {
  struct Step {
    int column;
    const char* field;
    bool descending;
    HeaderGlyph glyph;
  };
  // From the start state (titles ascending): a click on "Tanım" flips to
  // descending; any other column starts ascending and flips on a second
  // click. The date columns sort by their own date like any other field.
  const Step steps[] = {
      {0, "ALAN2", true, HeaderGlyph::UpArrow},     {1, "ALAN10", false, HeaderGlyph::DownArrow},
      {6, "ALAN11", false, HeaderGlyph::DownArrow}, {6, "ALAN11", true, HeaderGlyph::UpArrow},
      {7, "ALAN12", false, HeaderGlyph::DownArrow}, {8, "ALAN14", false, HeaderGlyph::DownArrow},
      {8, "ALAN14", true, HeaderGlyph::UpArrow},    {1, "ALAN10", false, HeaderGlyph::DownArrow},
      {5, "ALAN9", false, HeaderGlyph::DownArrow},  {3, "ALAN7", false, HeaderGlyph::DownArrow},
      {4, "ALAN8", false, HeaderGlyph::DownArrow},  {2, "ALAN6", false, HeaderGlyph::DownArrow},
      {2, "ALAN6", true, HeaderGlyph::UpArrow},     {0, "ALAN2", false, HeaderGlyph::DownArrow},
  };
  SortState state{"ALAN2", false};  // the state at start: by title, ascending
  EXPECT_EQ(GlyphForDirection(state.descending), HeaderGlyph::DownArrow);
  for (const Step& s : steps) {
    const ColumnClickResult click = ClickColumn(state, s.column);
    EXPECT_EQ(click.state.field, s.field) << "column " << s.column;
    EXPECT_EQ(click.state.descending, s.descending) << "column " << s.column;
    EXPECT_EQ(click.glyphColumn, s.column);
    EXPECT_EQ(click.glyph, s.glyph) << "column " << s.column;
    state = click.state;
  }
}

class RowCells : public ::testing::Test {
 protected:
  void SetUp() override {
    table.append();
    table.setText(Field::RecordNumber, "202403051305070001234");
    table.setText(Field::Title, "Banka");
    table.setText(Field::Group, "Ev");
    table.setText(Field::UserName, "ali");
    table.setText(Field::Password, "gizli");
    table.setText(Field::WebAddress, "www.banka.com.tr");
  }
  // The current record's cell in a column, as the list shows it.
  QString cell(int column) const { return RowCellText(table.current(), column, turkish); }

  static constexpr double kMarch5th2024 = 45356;  // days since 1899-12-30
  RecordTable table;
  const RowDateFormats turkish{QLocale(QLocale::Turkish, QLocale::Turkey)};
};

TEST_F(RowCells, ShowsTextsAndDatesButNoSecretsNorTheRecordNumber) {
  table.setNumber(Field::CreatedDate, kMarch5th2024);
  table.setNumber(Field::PasswordChangedDate, kMarch5th2024 + 1);
  table.setNumber(Field::PasswordChangedTime, (13 * 3600 + 5 * 60 + 7) / 86400.0);
  EXPECT_EQ(cell(0), QStringLiteral("Banka"));
  EXPECT_EQ(cell(1), QStringLiteral("Ev"));
  EXPECT_EQ(cell(3), QStringLiteral("www.banka.com.tr"));
  EXPECT_EQ(cell(6), QStringLiteral("5.03.2024"));
  // The stored time has no zone, so none is shown.
  EXPECT_EQ(cell(7), QStringLiteral("6.03.2024 13:05:07"));
  EXPECT_EQ(cell(8), QString());
  for (int c = 0; c < kListColumnCount; ++c) {
    EXPECT_NE(cell(c), QStringLiteral("ali"));
    EXPECT_NE(cell(c), QStringLiteral("gizli"));
    EXPECT_NE(cell(c), QStringLiteral("202403051305070001234"));
  }
}

TEST_F(RowCells, AnUnsetDateLeavesTheCellEmptyAndAnUnsetTimeLeavesTheDateAndABlank) {
  table.setNumber(Field::Password2ChangedDate, kMarch5th2024);
  table.setNumber(Field::PasswordChangedTime, 0.5);  // a time without a date shows nothing
  EXPECT_EQ(cell(6), QString());
  EXPECT_EQ(cell(7), QString());
  EXPECT_EQ(cell(8), QStringLiteral("5.03.2024 "));
}

// A date number beyond the calendar (an edited or damaged file) shows as no
// date; the last day of 9999 still shows.
TEST_F(RowCells, ADateBeyondTheCalendarLeavesTheCellEmpty) {
  for (double days : {2958466.0, 1e20, 9.3e18, 1e308, 1.7976931348623157e308}) {
    table.setNumber(Field::CreatedDate, days);
    table.setNumber(Field::PasswordChangedDate, days);
    table.setNumber(Field::PasswordChangedTime, 0.5);
    EXPECT_EQ(cell(6), QString()) << days;
    EXPECT_EQ(cell(7), QString()) << days;
  }
  table.setNumber(Field::CreatedDate, 2958465);
  EXPECT_EQ(cell(6), QStringLiteral("31.12.9999"));
}

TEST(ClipboardCountdown, EndsOnTheHundredthTickAfterTheLastCopy) {
  ClipboardCountdown countdown;
  EXPECT_FALSE(countdown.tick());
  EXPECT_FALSE(countdown.counting());
  EXPECT_EQ(countdown.position(), 0);

  countdown.restart();
  for (int i = 0; i < 60; ++i) ASSERT_FALSE(countdown.tick());
  EXPECT_EQ(countdown.position(), 60);

  countdown.restart();  // a second copy starts the hundred ticks again
  EXPECT_EQ(countdown.position(), 0);
  for (int i = 1; i < ClipboardCountdown::kTicks; ++i) ASSERT_FALSE(countdown.tick()) << i;
  EXPECT_TRUE(countdown.counting());
  EXPECT_EQ(countdown.position(), 99);

  EXPECT_TRUE(countdown.tick());
  EXPECT_FALSE(countdown.counting());
  EXPECT_EQ(countdown.position(), 0);
  EXPECT_FALSE(countdown.tick());
}

}  // namespace
}  // namespace quilor
