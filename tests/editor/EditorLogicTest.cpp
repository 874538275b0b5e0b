// The record editor's rules without a display: record numbers, the checks
// before a save, script insertion and help, the group list, list steps and
// what the desktop is handed for an address.
#include <gtest/gtest.h>

#include <QFile>

#include "DesktopOpener.h"
#include "EditorRules.h"
#include "RecordInput.h"
#include "RecordStamps.h"
#include "ScriptItems.h"

namespace quilor {
namespace {

TEST(RecordNumber, IsTheLocalTimeToTheMillisecondThenFourRandomDigits) {
  const QDateTime at(QDate(2024, 3, 5), QTime(9, 7, 3, 45));
  const std::pair<int, const char*> cases[] = {
      {0, "202403050907030450000"},
      {7, "202403050907030450007"},
      {999, "202403050907030450999"},
  };
  for (const auto& [random, expected] : cases) {
    EXPECT_EQ(MakeRecordNumber(at, random), QString::fromLatin1(expected));
  }
}

TEST(RecordStamps, DayAndTimeNumbersMatchTheFileCalendar) {
  EXPECT_EQ(DayNumber(QDate(1899, 12, 30)), 0);
  EXPECT_EQ(DayNumber(QDate(2009, 3, 15)), 39887);
  EXPECT_DOUBLE_EQ(TimeOfDayNumber(QTime(10, 30)), 0.4375);
  EXPECT_DOUBLE_EQ(TimeOfDayNumber(QTime(0, 0)), 0);
}

// A record the checks accept; each case changes it.
RecordTexts GoodRecord() {
  RecordTexts texts;
  texts[Field::Title] = QStringLiteral("Banka");
  texts[Field::Password] = QStringLiteral("gizli");
  texts[Field::Password2Caption] = QStringLiteral("Şifre 2");
  texts[Field::PasswordCaption] = QStringLiteral("Şifre");
  texts[Field::UserNameCaption] = QStringLiteral("Kullanıcı Adı");
  return texts;
}

RecordTexts Names() {
  RecordTexts names;
  names[Field::Title] = QStringLiteral("Tanımı");
  names[Field::Description] = QStringLiteral("Açıklama");
  names[Field::Group] = QStringLiteral("Grubu");
  names[Field::UserName] = QStringLiteral("Kullanıcı Adı");
  names[Field::Password] = QStringLiteral("PIN");
  names[Field::Password2] = QStringLiteral("Şifre 2");
  names[Field::PasswordCaption] = QStringLiteral("Başlık");
  return names;
}

TEST(RecordChecks, RefuseInTheirOrderAndNameTheFieldAndTheCause) {
  struct Case {
    const char* what;
    std::vector<std::pair<int, QString>> changes;
    QString refusal;
  };
  const QString q = QStringLiteral("\"");
  const Case cases[] = {
      {"no title", {{Field::Title, {}}, {Field::Password, {}}}, "Şifrenin tanımını giriniz."},
      {"blanks only as title", {{Field::Title, " \t "}}, "Şifrenin tanımını giriniz."},
      {"no password", {{Field::Password, {}}}, "Şifrenizi giriniz."},
      {"blanks are a password", {{Field::Password, "   "}}, {}},
      {"Turkish letters and the euro sign", {{Field::Description, "ğüşİıöç Ğ €"}}, {}},
      {"a character the file cannot hold",
       {{Field::Description, "onaylı ✓"}},
       "Açıklama alanında kullanılamayan karakter: ✓"},
      {"a character outside the basic plane, in a secret",
       {{Field::Password, "p😀"}},
       "PIN alanının 2. karakteri kullanılamaz."},
      {"a secret's character is counted, never shown",
       {{Field::UserName, "ayşe€✓"}},
       "Kullanıcı Adı alanının 6. karakteri kullanılamaz."},
      {"in a caption",
       {{Field::PasswordCaption, "Ω"}},
       "Başlık alanında kullanılamayan karakter: Ω"},
      {"the title's check comes first",
       {{Field::Title, {}}, {Field::Description, "✓"}},
       "Şifrenin tanımını giriniz."},
      {"double quotes around a plain value",
       {{Field::Group, q + "İş" + q}},
       "Grubu aynı tırnak işaretiyle başlayıp bitemez; kayıt dosyası bu tırnakları saklamaz."},
      {"single quotes around the title",
       {{Field::Title, "'Banka'"}},
       "Tanımı aynı tırnak işaretiyle başlayıp bitemez; kayıt dosyası bu tırnakları saklamaz."},
      {"quotes that do not match", {{Field::Title, q + "Banka'"}}, {}},
      {"a lone quote", {{Field::Description, q}}, {}},
      {"quotes inside", {{Field::Description, "a \"b\" c"}}, {}},
      {"quotes around a secret are kept", {{Field::Password, q + "p" + q}}, {}},
      {"user name at its limit", {{Field::UserName, QString(355, 'u')}}, {}},
      {"user name over it",
       {{Field::UserName, QString(356, 'u')}},
       "Kullanıcı Adı en fazla 355 bayt olabilir."},
      {"password over its limit, by its caption",
       {{Field::Password, QString(353, 'p') + "ş"}},
       "PIN en fazla 353 bayt olabilir."},
      {"password 2 over its limit",
       {{Field::Password2, QString(353, 'p')}},
       "Şifre 2 en fazla 352 bayt olabilir."},
  };
  for (const Case& c : cases) {
    RecordTexts texts = GoodRecord();
    for (const auto& [field, text] : c.changes) texts[field] = text;
    TrimPlainFields(texts);
    EXPECT_EQ(CheckRecordTexts(texts, Names()).refusal, c.refusal) << c.what;
  }
}

TEST(RecordChecks, PlainValuesLoseTheBlanksTheFileWouldDropSecretsKeepThem) {
  RecordTexts texts = GoodRecord();
  texts[Field::Title] = QStringLiteral("  Banka \t");
  texts[Field::Group] = QStringLiteral(" Ev");
  texts[Field::Password] = QStringLiteral("  gizli  ");
  texts[Field::UserName] = QStringLiteral(" ali ");
  TrimPlainFields(texts);
  EXPECT_EQ(texts[Field::Title], QStringLiteral("Banka"));
  EXPECT_EQ(texts[Field::Group], QStringLiteral("Ev"));
  EXPECT_EQ(texts[Field::Password], QStringLiteral("  gizli  "));
  EXPECT_EQ(texts[Field::UserName], QStringLiteral(" ali "));

  const CheckedRecord checked = CheckRecordTexts(texts, Names());
  ASSERT_TRUE(checked.refusal.isEmpty());
  EXPECT_EQ(checked.bytes[Field::Password], "  gizli  ");
  EXPECT_EQ(checked.bytes[Field::PasswordCaption],
            "\xde"
            "ifre");  // Ş in Windows-1254
}

TEST(ScriptMenuEntries, FortyInTwoColumnsWithTheSeparatorTenth) {
  const auto& captions = ScriptMenuCaptions();
  EXPECT_EQ(captions[0], QStringLiteral("KULLANICIADI"));
  EXPECT_EQ(captions[8], QStringLiteral("BEKLE_3000"));
  EXPECT_TRUE(IsScriptMenuSeparator(captions[9]));
  EXPECT_EQ(captions[10], QStringLiteral("BACKSPACE"));
  EXPECT_EQ(captions[20], QStringLiteral("F4"));  // the last of the first column
  EXPECT_EQ(captions[21], QStringLiteral("F5"));  // the first of the second
  EXPECT_EQ(captions[39], QStringLiteral("UP"));
  EXPECT_EQ(kScriptMenuFirstColumnSize, 21);
}

TEST(ScriptInsertion, GoesInAtTheCaretInFrontOfASelectionWithTheCaretAfterIt) {
  struct Case {
    QString script;
    int caret;
    QString caption;
    QString result;
    int caretAfter;
  };
  const Case cases[] = {
      {"", 0, "TAB", "{TAB}", 5},
      {"{TAB}", 5, "SIFRE1", "{TAB}{SIFRE1}", 13},
      {"{TAB}{ENTER}", 5, "BEKLE_2000", "{TAB}{BEKLE_2000}{ENTER}", 17},
      {"xabcx", 1, "UP", "x{UP}abcx", 5},  // "abc" selected from 1: it stays
      {"ş", 0, "KULLANICIADI", "{KULLANICIADI}ş", 14},
  };
  for (const Case& c : cases) {
    const ScriptInsertion inserted = InsertScriptItem(c.script, c.caret, c.caption);
    EXPECT_EQ(inserted.text, c.result) << c.result.toStdString();
    EXPECT_EQ(inserted.caret, c.caretAfter) << c.result.toStdString();
  }
}

TEST(ScriptHelp, IsTheTextOfTheFixtureLineByLine) {
  QFile fixture(QStringLiteral(QUILOR_EDITOR_FIXTURES "/script-help.txt"));
  ASSERT_TRUE(fixture.open(QIODevice::ReadOnly));
  QStringList expected = QString::fromUtf8(fixture.readAll()).split('\n');
  expected.removeLast();  // what follows the file's last line break
  ASSERT_EQ(expected.size(), 81);

  const QStringList lines = ScriptHelpLines();
  ASSERT_EQ(lines.size(), expected.size());
  for (int i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(lines[i], expected[i]) << "line " << i + 1;
  }
}

TEST(GroupList, KeepsListOrderAndEachGroupOnceWhateverItsCase) {
  const QStringList listed{"İş", "Ev", "iş", "EV", "Banka", "İŞ", "Şirket", "Sirket", "ev"};
  EXPECT_EQ(UniqueGroups(listed, QLocale(QLocale::Turkish, QLocale::Turkey)),
            (QStringList{"İş", "Ev", "Banka", "Şirket", "Sirket"}));
  EXPECT_EQ(UniqueGroups({"Ev", "EV", "Iş"}, QLocale::c()), (QStringList{"Ev", "Iş"}));
}

TEST(ListSteps, StopAtEitherEnd) {
  struct Case {
    int selected, rows;
    Step step;
    std::optional<int> target;
  };
  const Case cases[] = {
      {0, 3, Step::Next, 1},
      {1, 3, Step::Next, 2},
      {2, 3, Step::Next, std::nullopt},
      {2, 3, Step::Previous, 1},
      {0, 3, Step::Previous, std::nullopt},
      {0, 1, Step::Next, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(StepTarget(c.selected, c.rows, c.step), c.target) << c.selected << "/" << c.rows;
  }
}

TEST(WebAddressButton, RefusesNothingAndMailAddresses) {
  const std::pair<const char*, const char*> cases[] = {
      {"", "Web adresi girilmemiş"},
      {"ali@banka.com.tr", "Bu bir web adresi değil."},
      {"mailto:ali@banka.com.tr", "Bu bir web adresi değil."},
      {"https://user@banka.com.tr", "Bu bir web adresi değil."},
      {"www.banka.com.tr", ""},
  };
  for (const auto& [address, refusal] : cases) {
    EXPECT_EQ(WebAddressRefusal(QString::fromUtf8(address)), QString::fromUtf8(refusal)) << address;
  }
}

TEST(AddressForDesktop, OnlyABareWwwAddressGetsAScheme) {
  const std::pair<const char*, const char*> cases[] = {
      {"www.banka.com.tr", "http://www.banka.com.tr"},
      {"WWW.Banka.com.tr/giriş", "http://WWW.Banka.com.tr/giriş"},
      {"https://www.banka.com.tr/a b?x=1&y=%20", "https://www.banka.com.tr/a b?x=1&y=%20"},
      {"banka.com.tr", "banka.com.tr"},
      {"mailto:ali@banka.com.tr", "mailto:ali@banka.com.tr"},
      {" www.banka.com.tr", " www.banka.com.tr"},
      {"wwwbanka.com", "wwwbanka.com"},
      {"www", "www"},
      {"/home/ali/belge.pdf", "/home/ali/belge.pdf"},
  };
  for (const auto& [stored, handed] : cases) {
    EXPECT_EQ(AddressForDesktop(QString::fromUtf8(stored)), QString::fromUtf8(handed)) << stored;
  }
}

}  // namespace
}  // namespace quilor
