// Search folding and row matching: what a typed search finds.
#include <gtest/gtest.h>

#include "Cp1254.h"
#include "Fields.h"
#include "RecordRow.h"
#include "RecordTable.h"
#include "SearchFold.h"

namespace quilor {
namespace {

QString FoldedChar(const QString& character) {
  const std::string bytes = ToCp1254(character).bytes;
  EXPECT_EQ(bytes.size(), 1u) << character.toStdString();
  return FromCp1254(std::string(1, char(FoldChar(static_cast<unsigned char>(bytes[0])))));
}

TEST(FoldChar, FoldsToUpperCaseByTurkishRulesAndLeavesOtherLettersAlone) {
  const std::pair<const char*, const char*> cases[] = {
      {"a", "A"}, {"z", "Z"}, {"i", "İ"}, {"İ", "İ"}, {"I", "I"}, {"ı", "I"}, {"ş", "Ş"},
      {"Ş", "Ş"}, {"ç", "Ç"}, {"ğ", "Ğ"}, {"ö", "Ö"}, {"ü", "Ü"}, {"é", "é"}, {"É", "É"},
      {"â", "â"}, {"0", "0"}, {"9", "9"}, {" ", " "}, {"-", "-"}, {"@", "@"},
  };
  for (const auto& [in, out] : cases) {
    EXPECT_EQ(FoldedChar(QString::fromUtf8(in)), QString::fromUtf8(out)) << in;
  }
}

TEST(FoldText, KeepsTheLength) {
  const std::string text = ToCp1254(QStringLiteral("şifre İi Iı 2024")).bytes;
  const std::string folded = FoldText(text);
  EXPECT_EQ(folded.size(), text.size());
  EXPECT_EQ(FromCp1254(folded), QStringLiteral("ŞİFRE İİ II 2024"));
}

void SetText(RecordTable& table, int field, const char* utf8) {
  table.setText(field, ToCp1254(QString::fromUtf8(utf8)).bytes);
}

// What a search looks in, for the table's current record.
std::string SearchTextOf(const RecordTable& table) {
  std::string text;
  AppendRowSearchText(table.current(), text);
  return text;
}

// The search text of a record with this title and nothing else.
std::string SearchTextWithTitle(const char* title) {
  RecordTable table;
  table.append();
  SetText(table, Field::Title, title);
  table.post();
  return SearchTextOf(table);
}

TEST(RowMatcher, MatchesTheTwoTurkishIsApartAndAccentedLettersByCase) {
  struct Case {
    const char* search;
    const char* caption;
    bool matches;
  };
  const Case cases[] = {
      {"i", "kimlik", true},        {"i", "KİMLİK", true},  {"i", "IRMAK", false},
      {"i", "ırmak", false},        {"I", "IRMAK", true},   {"I", "ırmak", true},
      {"I", "kimlik", false},       {"I", "KİMLİK", false}, {"şifre", "ŞİFRE", true},
      {"ŞİFRE", "şifre", true},     {"é", "café", true},    {"é", "CAFÉ", false},
      {"2024", "Vergi 2024", true}, {"", "her şey", true},
  };
  for (const Case& c : cases) {
    const RowMatcher matcher(QString::fromUtf8(c.search));
    EXPECT_EQ(matcher.matches(SearchTextWithTitle(c.caption)), c.matches)
        << c.search << " in " << c.caption;
  }
}

TEST(RowMatcher, RunsAcrossCellsButOnlyOverTitleGroupDescriptionAddressAndCodes) {
  RecordTable table;
  table.append();
  SetText(table, Field::Title, "Banka");
  SetText(table, Field::Group, "Ev");
  SetText(table, Field::WebAddress, "www.banka.com.tr");
  SetText(table, Field::Code1, "K1");
  SetText(table, Field::Code2, "K2");
  SetText(table, Field::UserName, "gizliad");
  SetText(table, Field::Password, "parola");
  SetText(table, Field::AutoFillScript, "betik");
  table.setNumber(Field::CreatedDate, 45356);  // 5 March 2024
  table.setNumber(Field::PasswordChangedDate, 45357);
  table.setNumber(Field::PasswordChangedTime, 0.5);
  table.post();
  const std::string row = SearchTextOf(table);

  // Six parts, five blanks, the empty description included.
  EXPECT_EQ(FromCp1254(row), QStringLiteral("BANKA EV  WWW.BANKA.COM.TR K1 K2"));

  EXPECT_TRUE(RowMatcher(QStringLiteral("ka ev")).matches(row));
  EXPECT_TRUE(RowMatcher(QStringLiteral("tr k1 k2")).matches(row));
  for (const char* absent : {"ka  ev", "2024", "12:00", "gizliad", "parola", "betik"}) {
    EXPECT_FALSE(RowMatcher(QString::fromUtf8(absent)).matches(row)) << absent;
  }
}

TEST(RowMatcher, ASearchForACharacterNoRecordCanHoldFindsNothing) {
  EXPECT_FALSE(RowMatcher(QStringLiteral("€uro ✓")).matches(SearchTextWithTitle("€uro")));
  EXPECT_TRUE(RowMatcher(QStringLiteral("€uro")).matches(SearchTextWithTitle("€uro")));
}

}  // namespace
}  // namespace quilor
