#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QStringEncoder>
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "DataFile.h"
#include "StoreTestSupport.h"

namespace quilor {
namespace {

using test::Cp;
using test::Fixture;
using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
  for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

void AppendTitled(RecordTable& table, const std::string& title) {
  table.append();
  table.setText(Field::Title, title);
  table.post();
}

TEST(ReadDataFile, ReadsEverySectionAsARecordAndLeavesTheFileNormalised) {
  TempFolder folder;
  const std::string path = folder.file("data.xtr");
  WriteBytes(path, Fixture("data.xtr"));

  RecordTable table;
  ReadDataFile(table, path);

  ASSERT_EQ(table.recordCount(), 5u);
  EXPECT_EQ(table.recordNo(), 1);

  // Blanks, quotes, a lower-case key, a comma decimal; the unknown key and
  // the second ALAN2 line are ignored.
  EXPECT_EQ(table.text(Field::RecordNumber), "200903151030001230042");
  EXPECT_EQ(table.text(Field::Title), Cp("Kişisel Posta"));
  EXPECT_EQ(table.text(Field::Password), "kdyt7m5b5yKsO9t0axsTVbL7Bx0feXfROucWVL3hWqQ=");
  EXPECT_EQ(table.text(Field::Description), Cp("Açıklama: a=b"));
  EXPECT_EQ(table.text(Field::WebAddress), "https://posta.example.com.tr/giris?dil=tr&x=1");
  EXPECT_TRUE(table.isNull(Field::Code1));
  EXPECT_EQ(table.number(Field::CreatedDate), 39887);
  EXPECT_EQ(table.number(Field::PasswordChangedTime), 0.4375);
  EXPECT_TRUE(table.boolean(Field::ShowInTray));
  EXPECT_EQ(table.text(Field::UserNameCaption), Cp("Kullanıcı Adı"));

  // An odd section name; a date that is no number stays null; a date keeps
  // its day; no ALAN17 line leaves the tray flag null; mismatched quotes stay.
  table.next();
  EXPECT_EQ(table.text(Field::Title), Cp("Banka hesabı"));
  EXPECT_TRUE(table.isNull(Field::CreatedDate));
  EXPECT_DOUBLE_EQ(table.number(Field::PasswordChangedTime), 0.000015);
  EXPECT_EQ(table.number(Field::Password2ChangedDate), 39887);
  EXPECT_EQ(table.text(Field::AutoFillScript), Cp("Ad{TAB}Şifre{ENTER}"));
  EXPECT_TRUE(table.isNull(Field::ShowInTray));
  EXPECT_FALSE(table.boolean(Field::ShowInTray));
  EXPECT_EQ(table.text(Field::UserNameCaption), Cp("'tek tırnak\""));

  // "[]" is a record of nulls; a repeated name is a record of its own.
  table.next();
  for (int f = 0; f < kFieldCount; ++f) EXPECT_TRUE(table.isNull(f)) << kFields[f].name;
  table.next();
  EXPECT_EQ(table.text(Field::Title), Cp("Aynı adlı bölüm"));
  EXPECT_TRUE(table.boolean(Field::ShowInTray));

  // An over-long title is cut to its field; a word other than True is false.
  table.next();
  EXPECT_EQ(table.text(Field::Title), Cp("Bu başlık elli bayttan uzun olduğu için kesilir ve"));
  EXPECT_FALSE(table.isNull(Field::ShowInTray));
  EXPECT_FALSE(table.boolean(Field::ShowInTray));

  const std::string normalised = Fixture("data.normalised.xtr");
  EXPECT_EQ(ReadBytes(path), normalised);

  ReadDataFile(table, path);
  EXPECT_EQ(table.recordCount(), 5u);
  EXPECT_EQ(ReadBytes(path), normalised);
}

TEST(ReadDataFile, ReadsLfAndCrLineEndsLikeCrLf) {
  const std::string normalised = Fixture("data.normalised.xtr");
  for (const char* lineEnd : {"\n", "\r"}) {
    TempFolder folder;
    const std::string path = folder.file("data.xtr");
    WriteBytes(path, ReplaceAll(normalised, "\r\n", lineEnd));

    RecordTable table;
    ReadDataFile(table, path);

    EXPECT_EQ(table.recordCount(), 5u);
    EXPECT_EQ(ReadBytes(path), normalised);
  }
}

TEST(ReadDataFile, HasNoSizeLimitsAndDropsNoRecord) {
  TempFolder folder;
  const std::string path = folder.file("data.xtr");
  const std::string script(3000, 's');
  std::string content;
  const int sections = 2500;  // their names alone are far beyond 16 KB
  for (int i = 0; i < sections; ++i) {
    content += "[Kayıt numarası " + std::to_string(i) + " uzun bir bölüm adı]\r\n";
    content += "ALAN2=" + std::to_string(i) + "\r\nALAN16=" + script + "\r\n";
  }
  WriteBytes(path, content);

  RecordTable table;
  ReadDataFile(table, path);

  ASSERT_EQ(table.recordCount(), static_cast<std::size_t>(sections));
  int expected = 0;
  for (table.first(); !table.eof(); table.next(), ++expected) {
    ASSERT_EQ(table.text(Field::Title), std::to_string(expected));
    ASSERT_EQ(table.text(Field::AutoFillScript), std::string(500, 's'));
  }
  EXPECT_NE(ReadBytes(path).find("[RecNo2500]\r\n"), std::string::npos);
}

// Only a file with nothing in it means "no records". One that holds
// something yet gives no record (a foreign file, a damaged one) is left as it
// is, and the reader says which file it is.
TEST(ReadDataFile, OnlyAnEmptyFileIsRemovedAndOneWithoutRecordsIsKept) {
  const struct {
    const char* content;
    bool removed;
  } cases[] = {
      {"", true},
      {" \r\n\t\r\n\x1a", true},
      {"\r\nALAN2=bölümsüz\r\n  \r\n", false},
      {"[RecNo1\r\nALAN2=yarım başlık\r\n", false},
      {"; yalnızca bir not\r\n", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.content);
    TempFolder folder;
    const std::string path = folder.file("data.xtr");
    WriteBytes(path, c.content);
    RecordTable table;
    AppendTitled(table, "eski");

    if (c.removed) {
      ReadDataFile(table, path);
      EXPECT_FALSE(std::filesystem::exists(path));
    } else {
      try {
        ReadDataFile(table, path);
        ADD_FAILURE() << "no error";
      } catch (const std::runtime_error& error) {
        EXPECT_EQ(std::string(error.what()),
                  path + ": dosyada okunabilen bir kayıt yok; dosya değiştirilmedi");
      }
      EXPECT_EQ(ReadBytes(path), c.content);
    }
    EXPECT_TRUE(table.isEmpty());
  }
}

std::string Encoded(const QString& text, QStringConverter::Encoding encoding) {
  QStringEncoder encoder(encoding, QStringConverter::Flag::WriteBom);
  const QByteArray bytes = encoder.encode(text);
  return bytes.toStdString();
}

// An editor may save the file again as UTF-8 or UTF-16 with a byte-order
// mark. It reads as the same records, and the rewrite is in the program's
// own encoding.
TEST(ReadDataFile, ReadsAFileSavedAgainAsUnicode) {
  const std::string normalised = Fixture("data.normalised.xtr");
  const QString text = FromCp1254(normalised);
  for (const auto encoding :
       {QStringConverter::Utf8, QStringConverter::Utf16LE, QStringConverter::Utf16BE}) {
    SCOPED_TRACE(QStringConverter::nameForEncoding(encoding));
    TempFolder folder;
    const std::string path = folder.file("data.xtr");
    WriteBytes(path, Encoded(text, encoding));

    RecordTable table;
    ReadDataFile(table, path);

    ASSERT_EQ(table.recordCount(), 5u);
    EXPECT_EQ(table.text(Field::Title), Cp("Kişisel Posta"));
    EXPECT_EQ(ReadBytes(path), normalised);
  }
}

TEST(ReadDataFile, AUnicodeFileThatDoesNotFitTheCodePageIsLeftAlone) {
  const struct {
    std::string content;
    std::string message;
  } cases[] = {
      {Encoded(QStringLiteral("[RecNo1]\r\nALAN2=Onay ✓\r\n"), QStringConverter::Utf16LE),
       "dosyada Windows-1254'te olmayan bir karakter var: ✓ (U+2713)"},
      {"\xEF\xBB\xBF[RecNo1]\r\nALAN2=Ba\xFEl\xFDk\r\n", "dosya geçerli bir UTF-8 metni değil"},
      {Encoded(QStringLiteral("[RecNo1]\r\n"), QStringConverter::Utf16BE) + std::string(1, '\0'),
       "dosya geçerli bir UTF-16 metni değil"},
      // UTF-32 starts like UTF-16 and reads as text full of zero characters.
      {std::string("\xFF\xFE\x00\x00[\x00\x00\x00]\x00\x00\x00", 12),
       "dosya geçerli bir UTF-16 metni değil"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    TempFolder folder;
    const std::string path = folder.file("data.xtr");
    WriteBytes(path, c.content);
    RecordTable table;
    try {
      ReadDataFile(table, path);
      ADD_FAILURE() << "no error";
    } catch (const std::runtime_error& error) {
      EXPECT_EQ(std::string(error.what()), path + ": " + c.message + "; dosya değiştirilmedi");
    }
    EXPECT_TRUE(table.isEmpty());
    EXPECT_EQ(ReadBytes(path), c.content);
  }
}

// A folder, a FIFO (which would block the reader for good) and a file larger
// than any real collection are each reported at once and left as they are.
TEST(ReadDataFile, WhatCannotBeReadIsReportedAndLeftAlone) {
  TempFolder folder;
  std::filesystem::create_directory(folder.file("folder.xtr"));
  ASSERT_EQ(::mkfifo(folder.file("fifo.xtr").c_str(), 0600), 0);
  WriteBytes(folder.file("huge.xtr"), "");
  ASSERT_EQ(::truncate(folder.file("huge.xtr").c_str(), 64 * 1024 * 1024 + 1), 0);
  const std::pair<std::string, std::string> cases[] = {
      {"folder.xtr", "Veri dosyası okunamadı: "},
      {"fifo.xtr", "Veri dosyası okunamadı: "},
      {"huge.xtr", ""},
  };
  for (const auto& [name, before] : cases) {
    SCOPED_TRACE(name);
    const std::string path = folder.file(name);
    const auto type = std::filesystem::status(path).type();
    RecordTable table;
    AppendTitled(table, "eski");
    try {
      ReadDataFile(table, path);
      FAIL() << "no error";
    } catch (const std::runtime_error& error) {
      const std::string expected =
          before.empty()
              ? path + ": dosya 64 MB'tan büyük olduğu için okunmadı; dosya değiştirilmedi"
              : before + path +
                    " (bu bir dosya değil). Dosyanın yerinde olduğunu ve okuma izniniz "
                    "bulunduğunu kontrol edip yeniden deneyiniz.";
      EXPECT_EQ(std::string(error.what()), expected);
    }
    EXPECT_EQ(std::filesystem::status(path).type(), type);
  }
  EXPECT_EQ(std::filesystem::file_size(folder.file("huge.xtr")), 64u * 1024 * 1024 + 1);
}

// data.xtr may be a link into a synchronised folder: every write must reach
// the file it points to and leave the link in place, with no stray file in
// either folder.
// Sections of a few bytes each grow to a full record of twenty keys when
// the file is written back. A file whose written form would pass the read
// limit is refused as it stands, so that no read ever leaves behind a file
// that no reader opens again. 400,000 sections are refused as they are
// counted, 365,000 (fewer than that count allows) once their written form is
// known to be too large.
TEST(ReadDataFile, AFileThatWouldGrowBeyondTheReadLimitIsRefusedAndLeftAlone) {
  std::vector<int> counts = {400000};
  if (std::getenv("QUILOR_MEMCHECK") == nullptr) counts.push_back(365000);
  for (const int count : counts) {
    SCOPED_TRACE(count);
    TempFolder folder;
    const std::string path = folder.file("data.xtr");
    std::string sections;
    for (int i = 0; i < count; ++i) sections += "[a]\n";
    WriteBytes(path, sections);
    RecordTable table;
    AppendTitled(table, "eski");
    try {
      ReadDataFile(table, path);
      FAIL() << "no error";
    } catch (const std::runtime_error& error) {
      EXPECT_EQ(std::string(error.what()),
                path +
                    ": dosyadaki bölümler kayıt olarak yazıldığında dosya 64 MB'ı aşacağı için "
                    "okunmadı; dosya değiştirilmedi");
    }
    EXPECT_TRUE(table.isEmpty());
    EXPECT_EQ(ReadBytes(path), sections);
    EXPECT_EQ(test::EntryCount(folder.path()), 1u);
  }
}

TEST(WriteDataFile, RefusesAFileBeyondTheReadLimitAndKeepsTheOldOne) {
  if (std::getenv("QUILOR_MEMCHECK") != nullptr) GTEST_SKIP() << "64 MB of text under memcheck";
  TempFolder folder;
  const std::string path = folder.file("data.xtr");
  WriteBytes(path, Fixture("data.normalised.xtr"));
  RecordTable table;
  // Each record is over 700 bytes written: 100,000 of them pass 64 MB.
  for (int i = 0; i < 100000; ++i) {
    table.append();
    table.setText(Field::AutoFillScript, std::string(500, 's'));
    table.setText(Field::Description, std::string(200, 'a'));
    table.post();
  }
  try {
    WriteDataFile(table, path);
    FAIL() << "no error";
  } catch (const std::runtime_error& error) {
    EXPECT_EQ(std::string(error.what()),
              "Veri dosyası kaydedilemedi: " + path +
                  " (kayıtlarla dosya 64 MB'ı aşıyor). Bazı kayıtları silip ya da kısaltıp "
                  "yeniden deneyiniz; önceki dosya değiştirilmedi.");
  }
  EXPECT_EQ(ReadBytes(path), Fixture("data.normalised.xtr"));
  EXPECT_EQ(test::EntryCount(folder.path()), 1u);
}

TEST(DataFile, ALinkedDataFileStaysALinkAndItsTargetIsWritten) {
  const struct {
    const char* name;
    std::vector<std::pair<std::string, std::string>> links;  // link name -> what it holds
  } cases[] = {
      {"relative", {{"data.xtr", "sync/data.xtr"}}},
      {"absolute", {{"data.xtr", "<folder>/sync/data.xtr"}}},
      {"chain", {{"data.xtr", "ara.xtr"}, {"ara.xtr", "../app/sync/data.xtr"}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    const auto app = folder.path() / "app";
    std::filesystem::create_directories(app / "sync");
    for (const auto& [name, target] : c.links) {
      std::filesystem::create_symlink(ReplaceAll(target, "<folder>", app.string()), app / name);
    }
    const std::string path = (app / "data.xtr").string();
    const std::string target = (app / "sync" / "data.xtr").string();

    // The link points at nothing yet: the first write creates its target.
    RecordTable table;
    AppendTitled(table, "ilk");
    WriteDataFile(table, path);
    ASSERT_TRUE(std::filesystem::is_symlink(path));
    ASSERT_TRUE(std::filesystem::is_regular_file(std::filesystem::symlink_status(target)));

    WriteBytes(target, ReplaceAll(ReadBytes(target), "\r\n", "\n"));
    ReadDataFile(table, path);
    EXPECT_TRUE(std::filesystem::is_symlink(path));
    EXPECT_NE(ReadBytes(target).find("ALAN2=ilk\r\n"), std::string::npos);

    AppendTitled(table, "ikinci");
    WriteDataFile(table, path);
    EXPECT_TRUE(std::filesystem::is_symlink(path));
    EXPECT_NE(ReadBytes(target).find("[RecNo2]\r\nALAN1=\r\nALAN2=ikinci"), std::string::npos);
    EXPECT_EQ(test::EntryCount(app / "sync"), 1u);
    EXPECT_EQ(test::EntryCount(app), 1u + c.links.size());

    // The last record gone, the target goes and the link stays.
    table.removeAllRecords();
    WriteDataFile(table, path);
    EXPECT_TRUE(std::filesystem::is_symlink(path));
    EXPECT_FALSE(std::filesystem::exists(target));
  }
}

TEST(WriteDataFile, WritesRecordsInTableOrderAndKeepsTheCurrentRecord) {
  TempFolder folder;
  const std::string path = folder.file("data.xtr");
  RecordTable table;
  for (const char* title : {"Zeytin", "Armut", "Muz"}) AppendTitled(table, title);
  table.sortByField("ALAN2", true, false);  // Armut, Muz, Zeytin; "Muz" stays current
  const int current = table.recordId();

  WriteDataFile(table, path);

  EXPECT_EQ(table.recordId(), current);
  const std::string bytes = ReadBytes(path);
  EXPECT_EQ(bytes.substr(0, 24), "[RecNo1]\r\nALAN1=\r\nALAN2=");
  EXPECT_LT(bytes.find("ALAN2=Armut\r\n"), bytes.find("[RecNo2]\r\nALAN1=\r\nALAN2=Muz\r\n"));
  EXPECT_LT(bytes.find("ALAN2=Muz\r\n"), bytes.find("[RecNo3]\r\nALAN1=\r\nALAN2=Zeytin\r\n"));
  EXPECT_EQ(bytes.substr(bytes.size() - 11), "\r\nALAN20=\r\n");
}

TEST(WriteDataFile, AnEmptyTableRemovesTheFileAndCreatesNone) {
  TempFolder folder;
  const std::string path = folder.file("data.xtr");
  WriteBytes(path, Fixture("data.normalised.xtr"));
  RecordTable empty;

  WriteDataFile(empty, path);
  EXPECT_FALSE(std::filesystem::exists(path));
  WriteDataFile(empty, path);
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_EQ(test::EntryCount(folder.path()), 0u);
}

TEST(WriteDataFile, RefusesALineBreakInAValueAndKeepsTheOldFile) {
  TempFolder folder;
  const std::string path = folder.file("data.xtr");
  const std::string old = Fixture("data.normalised.xtr");
  WriteBytes(path, old);
  RecordTable table;
  AppendTitled(table, "iki\n[RecNo9]");

  // The message names the file, the record and the field, and what to do.
  try {
    WriteDataFile(table, path);
    FAIL() << "no error";
  } catch (const std::runtime_error& error) {
    EXPECT_EQ(std::string(error.what()),
              "Veri dosyası kaydedilemedi: " + path +
                  " (\"iki\n[RecNo9]\" kaydının Tanımı alanında satır sonu var). Satır sonunu "
                  "silip yeniden deneyiniz; önceki dosya değiştirilmedi.");
  }
  EXPECT_EQ(ReadBytes(path), old);
}

// Switches the process to a locale whose decimal separator is the comma: an
// installed one, or else the Turkish one compiled into folder when the
// system has the locale sources. False when neither works.
bool UseCommaLocale(const TempFolder& folder) {
  for (const char* name : {"tr_TR.UTF-8", "tr_TR.utf8", "de_DE.UTF-8", "fr_FR.UTF-8"}) {
    if (std::setlocale(LC_ALL, name) != nullptr) return true;
  }
  const std::string compiled = folder.file("tr_TR.UTF-8");
  const std::string command = "localedef -i tr_TR -f UTF-8 " + compiled + " >/dev/null 2>&1";
  if (std::system(command.c_str()) != 0) return false;
  ::setenv("LOCPATH", folder.path().c_str(), 1);
  return std::setlocale(LC_ALL, "tr_TR.UTF-8") != nullptr;
}

// Numbers are written with "." and read with "." or "," whatever the
// process's C locale says.
TEST(DataFile, NumbersDoNotDependOnTheLocale) {
  struct RestoreLocale {
    std::string saved = std::setlocale(LC_ALL, nullptr);
    ~RestoreLocale() { std::setlocale(LC_ALL, saved.c_str()); }
  } restoreLocale;
  TempFolder localeFolder;
  const bool commaLocale = UseCommaLocale(localeFolder);
  ::unsetenv("LOCPATH");
  if (!commaLocale) GTEST_SKIP() << "no locale with a decimal comma can be had here";
  ASSERT_EQ(std::string(std::localeconv()->decimal_point), ",");

  TempFolder folder;
  const std::string path = folder.file("data.xtr");
  WriteBytes(path, "[a]\r\nALAN13=0,4375\r\n[b]\r\nALAN13=0.4375\r\nALAN11=39887.0\r\n");
  RecordTable table;
  ReadDataFile(table, path);

  table.first();
  EXPECT_EQ(table.number(Field::PasswordChangedTime), 0.4375);
  table.next();
  EXPECT_EQ(table.number(Field::PasswordChangedTime), 0.4375);
  const std::string bytes = ReadBytes(path);
  EXPECT_NE(bytes.find("ALAN11=39887\r\n"), std::string::npos);
  EXPECT_EQ(bytes.find(','), std::string::npos);
}

}  // namespace
}  // namespace quilor
