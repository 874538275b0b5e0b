// Search folding and row matching: what a typed search finds.
#include <gtest/gtest.h>

#include "Cp1254.h"
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

RecordRow RowWithCaption(const QString& caption) {
  RecordRow row;
  row.caption = caption;
  return row;
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
    EXPECT_EQ(matcher.matches(RowWithCaption(QString::fromUtf8(c.caption))), c.matches)
        << c.search << " in " << c.caption;
  }
}

TEST(RowMatcher, RunsAcrossCellsButOnlyOverTitleGroupDescriptionAddressAndCodes) {
  RecordRow row;
  row.caption = QStringLiteral("Banka");
  row.cells = {QStringLiteral("Ev"),
               QString(),
               QStringLiteral("www.banka.com.tr"),
               QStringLiteral("K1"),
               QStringLiteral("K2"),
               QStringLiteral("5.03.2024"),
               QStringLiteral("6.03.2024 13:05:07"),
               QString()};

  // Six parts, five blanks, the empty description included.
  EXPECT_EQ(FromCp1254(RowSearchText(row)), QStringLiteral("Banka Ev  www.banka.com.tr K1 K2"));

  EXPECT_TRUE(RowMatcher(QStringLiteral("ka ev")).matches(row));
  EXPECT_TRUE(RowMatcher(QStringLiteral("tr k1 k2")).matches(row));
  EXPECT_FALSE(RowMatcher(QStringLiteral("ka  ev")).matches(row));
  EXPECT_FALSE(RowMatcher(QStringLiteral("2024")).matches(row));
  EXPECT_FALSE(RowMatcher(QStringLiteral("13:05")).matches(row));
}

TEST(RowMatcher, ASearchForACharacterNoRecordCanHoldFindsNothing) {
  EXPECT_FALSE(
      RowMatcher(QStringLiteral("€uro ✓")).matches(RowWithCaption(QStringLiteral("€uro"))));
  EXPECT_TRUE(RowMatcher(QStringLiteral("€uro")).matches(RowWithCaption(QStringLiteral("€uro"))));
}

}  // namespace
}  // namespace quilor
