// quilor-cli run as a user or a script runs it, on files in scratch folders.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QStringEncoder>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "CliRunner.h"
#include "TextConversion.h"

namespace quilor::test {
namespace {

const std::string kFixtures = QUILOR_CLI_FIXTURES;

// sample.xtr: two records with the profile-file quirks the program accepts
// (blanks and quotes around values, a lower-case key, an odd section name,
// an unknown key, a comma decimal, missing keys). Its secrets were enciphered
// with OpenSSL's Blowfish under the 16 Windows-1254 bytes of this password,
// independently of our cipher.
const std::string kFixturePassword = "Gizli Şifre ığüö\n";

std::string Fixture(const std::string& name) { return ReadBytes(kFixtures + "/" + name); }

// A data file made from records through the tool itself.
std::string Imported(const TempFolder& dir, const std::string& json, const std::string& name) {
  WriteBytes(dir.file(name + ".json"), json);
  const RunResult r = RunCli({"import", dir.file(name), dir.file(name + ".json")}, "pw\n");
  EXPECT_EQ(r.exitCode, 0) << r.err;
  return dir.file(name);
}

struct timespec ModificationTime(const std::string& path) {
  struct stat info {};
  EXPECT_EQ(::stat(path.c_str(), &info), 0);
  return info.st_mtim;
}

TEST(CliCommandsTest, ExportOfTheFixtureGivesEveryFieldInFileOrder) {
  TempFolder dir;
  WriteBytes(dir.file("data.xtr"), Fixture("sample.xtr"));
  const RunResult r = RunCli({"export", dir.file("data.xtr")}, kFixturePassword);
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out, Fixture("sample.json"));
}

TEST(CliCommandsTest, ReadingCommandsLeaveTheFileAndTheFoldersUntouched) {
  TempFolder dir;
  std::filesystem::create_directory(dir.file("tmp"));
  const std::string file = dir.file("data.xtr");
  WriteBytes(file, Fixture("sample.xtr"));
  // The program's login would rewrite this file and make it its owner's only.
  ASSERT_EQ(::chmod(file.c_str(), 0644), 0);
  const struct timespec past[2] = {{1000000000, 123456789}, {1000000000, 123456789}};
  ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), past, 0), 0);

  const std::vector<std::pair<std::vector<std::string>, int>> runs = {
      {{"ls", file}, 0},     {{"show", file, "Banka"}, 0}, {{"show", file, "Yok"}, 1},
      {{"export", file}, 0}, {{"export-csv", file}, 0},    {{"health", file}, 1},
  };
  for (const auto& [arguments, status] : runs) {
    EXPECT_EQ(RunCli(arguments, kFixturePassword, {"TMPDIR=" + dir.file("tmp")}).exitCode, status)
        << arguments[0];
  }
  EXPECT_EQ(RunCli({"export", file}, "yanlış\n", {"TMPDIR=" + dir.file("tmp")}).exitCode, 3);

  EXPECT_EQ(ReadBytes(file), Fixture("sample.xtr"));
  const struct timespec after = ModificationTime(file);
  EXPECT_EQ(after.tv_sec, past[0].tv_sec);
  EXPECT_EQ(after.tv_nsec, past[0].tv_nsec);
  struct stat info {};
  ASSERT_EQ(::stat(file.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0644u);
  // No copy of the file is left behind, beside it or in the scratch folder.
  EXPECT_TRUE(std::filesystem::is_empty(dir.file("tmp")));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.file("")),
                          std::filesystem::directory_iterator()),
            2);
}

TEST(CliCommandsTest, ListFollowsTheTitleOrderOfTheUsersLocale) {
  TempFolder dir;
  const std::string file = Imported(dir,
                                    "[{\"ALAN2\": \"ipek\", \"ALAN4\": \"a\", \"ALAN10\": \"Ev\"},"
                                    " {\"ALAN2\": \"Irmak\", \"ALAN4\": \"a\"},"
                                    " {\"ALAN2\": \"ılık\", \"ALAN4\": \"a\", \"ALAN7\": \"w.tr\"},"
                                    " {\"ALAN2\": \"İzmir\", \"ALAN4\": \"a\"},"
                                    " {\"ALAN2\": \"Zeytin\", \"ALAN4\": \"a\"},"
                                    " {\"ALAN2\": \"çam\", \"ALAN4\": \"a\"}]",
                                    "data.xtr");
  const RunResult r = RunCli({"ls", file}, "pw\n", {"LC_ALL=tr_TR.UTF-8", "LANG=tr_TR.UTF-8"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out,
            "çam\t\t\n"
            "ılık\t\tw.tr\n"
            "Irmak\t\t\n"
            "ipek\tEv\t\n"
            "İzmir\t\t\n"
            "Zeytin\t\t\n");
}

TEST(CliCommandsTest, ShowPrintsThePasswordsOnlyWhenAskedAndUsesTheRecordsCaptions) {
  TempFolder dir;
  WriteBytes(dir.file("data.xtr"), Fixture("sample.xtr"));
  const std::string before =
      "Kayıt No: 200903151030001230042\n"
      "Tanımı: Kişisel Posta\n"
      "Grubu: Kişisel\n"
      "Açıklama: Açıklama: a=b\n"
      "Web / Mail Adresi: https://posta.example.com.tr/giris?dil=tr&x=1\n"
      "Özel Kodu 1:\n"
      "Özel Kodu 2:\n"
      "Kullanıcı Adı: ayşe.yılmaz\n";
  const std::string after =
      "Script: {USERNAME}{TAB}{PASSWORD}{ENTER}\n"
      "Sistem tepsisi: Evet\n"
      "Kayıt Tarihi: 2009-03-15\n"
      "Şifre 1 Değiştirme: 2009-03-15 10:30:00\n"
      "Şifre 2 Değiştirme:\n";
  const RunResult hidden =
      RunCli({"show", dir.file("data.xtr"), "Kişisel Posta"}, kFixturePassword);
  EXPECT_EQ(hidden.exitCode, 0) << hidden.err;
  // An empty password shows as empty; a note stands in for any other.
  EXPECT_EQ(hidden.out,
            before + "Şifre: (gizli; göstermek için --show-secrets)\nŞifre 2:\n" + after);

  for (const char* option : {"-s", "--show-secrets"}) {
    const RunResult shown =
        RunCli({"show", option, dir.file("data.xtr"), "Kişisel Posta"}, kFixturePassword);
    EXPECT_EQ(shown.exitCode, 0) << shown.err;
    EXPECT_EQ(shown.out, before + "Şifre: Şifre=ğüş;1\nŞifre 2:\n" + after);
  }

  const RunResult banka = RunCli({"show", dir.file("data.xtr"), "Banka", "-s"}, kFixturePassword);
  EXPECT_NE(banka.out.find("\nPIN: QARVELINOPESKA2\n"), std::string::npos) << banka.out;
  EXPECT_NE(banka.out.find("\nŞifre 2: ikinci €\n"), std::string::npos) << banka.out;
}

TEST(CliCommandsTest, ShowLeavesADateBeyondTheCalendarEmpty) {
  TempFolder dir;
  std::string file = Fixture("sample.xtr");
  for (const auto& [from, to] :
       {std::pair{"ALAN11=39887", "ALAN11=1E308"}, std::pair{"ALAN12=39887", "ALAN12=9.3E18"},
        std::pair{"ALAN14=0", "ALAN14=1E20"}}) {
    file.replace(file.find(from), std::string(from).size(), to);
  }
  WriteBytes(dir.file("data.xtr"), file);
  const RunResult r = RunCli({"show", dir.file("data.xtr"), "Kişisel Posta"}, kFixturePassword);
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("Kayıt Tarihi:\nŞifre 1 Değiştirme:\nŞifre 2 Değiştirme:\n"),
            std::string::npos)
      << r.out;
}

// A data file an editor saved again as Unicode lists the same records; one
// that holds something yet gives no record is an error, not an empty list.
TEST(CliCommandsTest, ListReadsAUnicodeFileAndFailsOnAFileWithoutRecords) {
  TempFolder dir;
  WriteBytes(dir.file("data.xtr"), Fixture("sample.xtr"));
  const RunResult original = RunCli({"ls", dir.file("data.xtr")}, kFixturePassword);
  ASSERT_EQ(original.exitCode, 0) << original.err;
  ASSERT_NE(original.out.find("Banka"), std::string::npos);

  const QString text = QString::fromStdString(cli::Cp1254ToUtf8(Fixture("sample.xtr")));
  for (const auto encoding : {QStringConverter::Utf8, QStringConverter::Utf16LE}) {
    QStringEncoder encoder(encoding, QStringConverter::Flag::WriteBom);
    const QByteArray encoded = encoder.encode(text);
    WriteBytes(dir.file("unicode.xtr"), encoded.toStdString());
    const RunResult r = RunCli({"ls", dir.file("unicode.xtr")}, kFixturePassword);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, original.out);
    EXPECT_EQ(ReadBytes(dir.file("unicode.xtr")), encoded.toStdString());
  }

  WriteBytes(dir.file("foreign.xtr"), "ALAN2=bölümsüz\r\n");
  const RunResult foreign = RunCli({"ls", dir.file("foreign.xtr")}, kFixturePassword);
  EXPECT_EQ(foreign.exitCode, 2);
  EXPECT_EQ(foreign.out, "");
  EXPECT_NE(foreign.err.find(dir.file("foreign.xtr") + ": dosyada okunabilen bir kayıt yok"),
            std::string::npos)
      << foreign.err;
  EXPECT_EQ(ReadBytes(dir.file("foreign.xtr")), "ALAN2=bölümsüz\r\n");
}

// The title is found with letter case ignored the Turkish way; when that
// leaves several records, none is shown and the choice is listed.
TEST(CliCommandsTest, ShowFindsTheTitleTheTurkishWayAndListsSeveralMatches) {
  TempFolder dir;
  const std::string file =
      Imported(dir,
               "[{\"ALAN1\": \"1\", \"ALAN2\": \"Gmail\", \"ALAN4\": \"g\"},"
               " {\"ALAN1\": \"2\", \"ALAN2\": \"İzmir Kart\", \"ALAN4\": \"i\"},"
               " {\"ALAN1\": \"3\", \"ALAN2\": \"ılık su\", \"ALAN4\": \"ı\"},"
               " {\"ALAN1\": \"4\", \"ALAN2\": \"Posta\", \"ALAN4\": \"p1\"},"
               " {\"ALAN1\": \"5\", \"ALAN2\": \"posta\", \"ALAN4\": \"p2\","
               "  \"ALAN10\": \"İş\"}]",
               "data.xtr");
  const struct {
    const char* wanted;
    std::string password;  // of the record shown; none when no record is
  } found[] = {
      {"gmail", "g"},  {"izmir kart", "i"}, {"İZMİR KART", "i"}, {"ILIK SU", "ı"}, {"Posta", "p1"},
      {"posta", "p2"}, {"5", "p2"},         {"Izmir Kart", ""},  {"ilik su", ""},
  };
  for (const auto& c : found) {
    SCOPED_TRACE(c.wanted);
    const RunResult r = RunCli({"show", "-s", file, c.wanted}, "pw\n");
    if (c.password.empty()) {
      EXPECT_EQ(r.exitCode, 1);
      EXPECT_EQ(r.out, "");
      EXPECT_EQ(r.err, std::string("quilor-cli: bu tanımla bir kayıt yok: ") + c.wanted + "\n");
    } else {
      EXPECT_EQ(r.exitCode, 0) << r.err;
      EXPECT_NE(r.out.find("\nŞifre: " + c.password + "\n"), std::string::npos) << r.out;
    }
  }

  const RunResult several = RunCli({"show", "-s", file, "POSTA"}, "pw\n");
  EXPECT_EQ(several.exitCode, 1);
  EXPECT_EQ(several.out, "");
  EXPECT_EQ(several.err,
            "quilor-cli: bu tanıma birden çok kayıt uyuyor; birini kayıt numarasıyla seçin: \n"
            "  4\tPosta\t\n"
            "  5\tposta\tİş\n");
}

TEST(CliCommandsTest, ImportThenExportGivesTheSameRecords) {
  TempFolder dir;
  // Written as export writes it, so what comes back must be the same bytes.
  // It holds the longest title (50 letters, one byte each in Windows-1254)
  // and the longest password (353) the file keeps; the password begins with
  // its own marker text, which must survive.
  const std::string json = Fixture("roundtrip.json");
  const std::string file = Imported(dir, json, "data.xtr");
  struct stat info {};
  ASSERT_EQ(::stat(file.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);

  const RunResult exported = RunCli({"export", file}, "pw\n");
  EXPECT_EQ(exported.exitCode, 0) << exported.err;
  EXPECT_EQ(exported.out, json);

  // The file cannot tell an empty text from none, and a secret is always
  // stored, so "" comes back as null and a null secret as "".
  const std::string blanks =
      Imported(dir, "[{\"ALAN2\": \"t\", \"ALAN4\": \"p\", \"ALAN6\": \"\"}]", "blanks.xtr");
  const RunResult back = RunCli({"export", blanks}, "pw\n");
  EXPECT_NE(back.out.find("\"ALAN3\": \"\",\n"), std::string::npos);
  EXPECT_NE(back.out.find("\"ALAN6\": null,\n"), std::string::npos);
}

TEST(CliCommandsTest, ImportReplacesAnExistingFileOnlyWithForce) {
  TempFolder dir;
  const std::string file = dir.file("data.xtr");
  WriteBytes(file, Fixture("sample.xtr"));
  WriteBytes(dir.file("new.json"), "[{\"ALAN2\": \"Yeni\", \"ALAN4\": \"p\"}]");

  const RunResult refused = RunCli({"import", file, dir.file("new.json")}, "pw\n");
  EXPECT_EQ(refused.exitCode, 2);
  EXPECT_EQ(refused.err,
            "quilor-cli: " + file + ": dosya zaten var; üzerine yazmak için --force verin\n");
  EXPECT_EQ(ReadBytes(file), Fixture("sample.xtr"));

  const RunResult forced = RunCli({"import", "--force", file, dir.file("new.json")}, "pw\n");
  EXPECT_EQ(forced.exitCode, 0) << forced.err;
  EXPECT_EQ(RunCli({"ls", file}, "pw\n").out, "Yeni\t\t\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.file("")),
                          std::filesystem::directory_iterator()),
            2);
}

TEST(CliCommandsTest, ImportOntoALinkReplacesTheLinkedFileAndKeepsTheLink) {
  TempFolder dir;
  std::filesystem::create_directory(dir.file("sync"));
  WriteBytes(dir.file("sync/data.xtr"), Fixture("sample.xtr"));
  std::filesystem::create_symlink("sync/data.xtr", dir.file("data.xtr"));
  WriteBytes(dir.file("new.json"), "[{\"ALAN2\": \"Yeni\", \"ALAN4\": \"p\"}]");

  const RunResult r =
      RunCli({"import", "--force", dir.file("data.xtr"), dir.file("new.json")}, "pw\n");

  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(std::filesystem::is_symlink(dir.file("data.xtr")));
  EXPECT_EQ(RunCli({"ls", dir.file("sync/data.xtr")}, "pw\n").out, "Yeni\t\t\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.file("sync")),
                          std::filesystem::directory_iterator()),
            1);
}

// A full disk under the data file: the import fails whole, says so and
// leaves the old file and the folder as they were.
TEST(CliCommandsTest, AnImportThatCannotBeWrittenLeavesTheOldFile) {
  TempFolder dir;
  const std::string disk = dir.file("disk");
  ASSERT_TRUE(std::filesystem::create_directory(disk));
  if (::mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=64k,mode=0700") != 0) {
    GTEST_SKIP() << "cannot mount a small file system here: " << std::strerror(errno);
  }
  struct Unmount {
    std::string path;
    ~Unmount() { ::umount2(path.c_str(), MNT_DETACH); }
  } unmount{disk};
  const std::string file = disk + "/data.xtr";
  WriteBytes(file, Fixture("sample.xtr"));
  {
    const int fd = ::open((disk + "/dolgu").c_str(), O_WRONLY | O_CREAT, 0600);
    ASSERT_GE(fd, 0);
    const std::string block(4096, 'x');
    while (::write(fd, block.data(), block.size()) > 0) {
    }
    ::close(fd);
  }
  WriteBytes(dir.file("new.json"), "[{\"ALAN2\": \"Yeni\", \"ALAN4\": \"p\"}]");

  const RunResult r = RunCli({"import", "--force", file, dir.file("new.json")}, "pw\n");

  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find(file + ": yazılamıyor"), std::string::npos) << r.err;
  EXPECT_EQ(ReadBytes(file), Fixture("sample.xtr"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(disk),
                          std::filesystem::directory_iterator()),
            2);
}

struct ImportRefusal {
  std::string json;
  std::string message;  // after "quilor-cli: <json file>"
};

TEST(CliCommandsTest, ImportRefusesBadRecordsAndWritesNothing) {
  const std::vector<ImportRefusal> cases = {
      {"[\n  {\"ALAN2\": \"x\",}\n]", ":2:17: JSON hatası: tırnak içinde bir anahtar bekleniyordu"},
      {"[{\"ALAN2\": \"" + std::string(51, 'b') + "\"}]",
       ":1:12: kayıt 1, ALAN2: en çok 50 bayt alır, bu değer Windows-1254'te 51 bayt"},
      {"[{\"ALAN2\": \"t\",\n  \"ALAN4\": \"" + std::string(354, 'p') + "\"}]",
       ":2:12: kayıt 1, ALAN4: en çok 353 bayt alır, bu değer Windows-1254'te 354 bayt"},
      {"[{\"ALAN2\": \"✓ tamam\"}]",
       ":1:12: kayıt 1, ALAN2: şu karakter Windows-1254'te yok: '✓' (U+2713)"},
      {"[{\"ALAN2\": \"t\", \"ALAN4\": \"pa✓\"}]",
       ":1:26: kayıt 1, ALAN4: değerin 3. karakteri kullanılamaz (Windows-1254'te yok)"},
      // The profile reader drops blanks and quotes around a value.
      {"[{\"ALAN2\": \"t\", \"ALAN4\": \"p\"}, {\"ALAN2\": \"t\", \"ALAN6\": \" boşluk\"}]",
       ":1:56: kayıt 2, ALAN6: veri dosyası bu değeri olduğu gibi geri vermiyor"},
      {"[{\"ALAN2\": \"'tırnak'\", \"ALAN4\": \"p\"}]",
       ":1:12: kayıt 1, ALAN2: veri dosyası bu değeri olduğu gibi geri vermiyor"},
      {"[]", ": hiç kayıt yok"},
  };
  for (const ImportRefusal& c : cases) {
    SCOPED_TRACE(c.message);
    TempFolder dir;
    WriteBytes(dir.file("r.json"), c.json);
    const RunResult r = RunCli({"import", dir.file("data.xtr"), dir.file("r.json")}, "pw\n");
    EXPECT_EQ(r.exitCode, 4);
    const std::string expected = "quilor-cli: " + dir.file("r.json") + c.message;
    EXPECT_EQ(r.err.substr(0, expected.size()), expected) << r.err;
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1);
    EXPECT_FALSE(Exists(dir.file("data.xtr")));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.file("")),
                            std::filesystem::directory_iterator()),
              1);
  }
}

TEST(CliCommandsTest, MasterPasswordIsTheFirstLineWithoutItsLineEnd) {
  TempFolder dir;
  WriteBytes(dir.file("data.xtr"), Fixture("sample.xtr"));
  const std::string file = dir.file("data.xtr");
  const std::string crlf = "Gizli Şifre ığüö\r\nsonraki satır\n";
  EXPECT_EQ(RunCli({"export", file}, crlf).exitCode, 0);
  EXPECT_EQ(RunCli({"export", file}, "Gizli Şifre ığüö").exitCode, 0);

  const RunResult wrong = RunCli({"export", file}, "Gizli Şifre ığüö \n");
  EXPECT_EQ(wrong.exitCode, 3);
  EXPECT_EQ(wrong.out, "");
  EXPECT_EQ(wrong.err, "quilor-cli: Ana şifreniz geçersiz.\n");

  for (const std::string& empty : {std::string(), std::string("\n"), std::string("\r\nx\n")}) {
    const RunResult r = RunCli({"ls", file}, empty);
    EXPECT_EQ(r.exitCode, 4);
    EXPECT_EQ(r.err, "quilor-cli: ana şifre boş olamaz\n");
  }
  // The message says where the character is, never which: it is part of
  // the password.
  const RunResult unmappable = RunCli({"ls", file}, "şi😀fre✓\n");
  EXPECT_EQ(unmappable.exitCode, 4);
  EXPECT_EQ(unmappable.err,
            "quilor-cli: ana şifrenin 3. karakteri kullanılamaz (Windows-1254'te yok)\n");
}

TEST(CliCommandsTest, AtATerminalThePasswordIsAskedWithoutEcho) {
  TempFolder dir;
  const std::string file = dir.file("data.xtr");
  WriteBytes(file, Fixture("sample.xtr"));
  const std::string password = "Gizli Şifre ığüö";

  const RunResult exported = RunCliOnTerminal({"export", file}, "Ana şifre: ", {password});
  EXPECT_EQ(exported.exitCode, 0) << exported.err;
  EXPECT_EQ(exported.out, Fixture("sample.json"));
  EXPECT_EQ(exported.err.find("Gizli"), std::string::npos) << exported.err;

  // A new file's password is asked twice: a typing error would lock it.
  WriteBytes(dir.file("r.json"), "[{\"ALAN2\": \"t\", \"ALAN4\": \"p\"}]");
  const std::vector<std::string> import = {"import", dir.file("new.xtr"), dir.file("r.json")};
  const RunResult differ = RunCliOnTerminal(import, "şifre", {"bir", "iki"});
  EXPECT_EQ(differ.exitCode, 4);
  EXPECT_NE(differ.err.find("Ana şifre (tekrar): "), std::string::npos) << differ.err;
  EXPECT_NE(differ.err.find("girilen iki ana şifre aynı değil"), std::string::npos);
  EXPECT_FALSE(Exists(dir.file("new.xtr")));

  EXPECT_EQ(RunCliOnTerminal(import, "şifre", {"üç", "üç"}).exitCode, 0);
  EXPECT_EQ(RunCli({"ls", dir.file("new.xtr")}, "üç\n").out, "t\t\t\n");
}

TEST(CliCommandsTest, FilesThatCannotBeReadAreReportedBeforeThePasswordIsUsed) {
  TempFolder dir;
  const std::string missing = dir.file("yok.xtr");
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"ls", missing}, missing + ": dosya yok"},
      {{"export", dir.file("")}, dir.file("") + ": bir dosya değil"},
      {{"import", dir.file("data.xtr"), missing}, missing + ": dosya yok"},
  };
  for (const auto& [arguments, message] : cases) {
    const RunResult r = RunCli(arguments, "");
    EXPECT_EQ(r.exitCode, 2) << message;
    EXPECT_EQ(r.err, "quilor-cli: " + message + "\n");
  }
}

TEST(CliCommandsTest, UsageErrorsExitWith64AndHelpListsTheStatuses) {
  const std::vector<std::vector<std::string>> cases = {
      {}, {"ls"}, {"sil", "x"}, {"ls", "a", "b"}, {"ls", "--force", "a"}, {"--bilinmez"},
  };
  for (const auto& arguments : cases) {
    const RunResult r = RunCli(arguments, "pw\n");
    EXPECT_EQ(r.exitCode, 64);
    EXPECT_NE(r.err.find("; yardım için: quilor-cli --help\n"), std::string::npos) << r.err;
  }
  const RunResult help = RunCli({"--help"}, "");
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.out.find("Çıkış kodları:"), std::string::npos);
  EXPECT_NE(help.out.find("  3   ana şifre geçersiz\n"), std::string::npos);
}

// Files a careless user or an attacker may hand over: each is refused, or
// read, without blocking, without memory to match its size and without
// writing anything.
TEST(CliCommandsTest, HostileInputsEndWithTheirStatusAndChangeNothing) {
  TempFolder dir;
  ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0600), 0);
  WriteBytes(dir.file("r.json"), "[{\"ALAN2\": \"t\", \"ALAN4\": \"p\"}]");
  // Larger than any real collection, without taking the disk space.
  for (const char* name : {"huge.xtr", "huge.json"}) {
    WriteBytes(dir.file(name), "");
    ASSERT_EQ(::truncate(dir.file(name).c_str(), 64 * 1024 * 1024 + 1), 0);
  }
  // Empty sections by the hundred thousand: records that prove no password.
  std::string emptySections;
  for (int i = 0; i < 100000; ++i) emptySections += "[]\n";
  WriteBytes(dir.file("empty.xtr"), emptySections);
  // More of them than a data file within the read limit could be written
  // with: refused before each costs a record.
  std::string moreSections;
  for (int i = 0; i < 400000; ++i) moreSections += "[]\n";
  WriteBytes(dir.file("sections.xtr"), moreSections);
  // Items that are no record, and more empty records than a data file the
  // program can read has room for.
  std::string arrays = "[[]";
  for (int i = 0; i < 100000; ++i) arrays += ",[]";
  WriteBytes(dir.file("arrays.json"), arrays + "]");
  std::string records = "[{}";
  for (int i = 0; i < 270000; ++i) records += ",{}";
  WriteBytes(dir.file("records.json"), records + "]");

  const std::string tooLarge = ": dosya 64 MB'tan büyük olduğu için okunmadı";
  const struct {
    std::vector<std::string> arguments;
    int status;
    std::string message;  // found in standard error
  } cases[] = {
      {{"ls", dir.file("fifo")}, 2, dir.file("fifo") + ": bir dosya değil"},
      {{"export", dir.file("fifo")}, 2, dir.file("fifo") + ": bir dosya değil"},
      {{"import", dir.file("new.xtr"), dir.file("fifo")},
       2,
       dir.file("fifo") + ": bir dosya değil"},
      {{"ls", dir.file("huge.xtr")}, 2, dir.file("huge.xtr") + tooLarge},
      {{"import", dir.file("new.xtr"), dir.file("huge.json")}, 2, dir.file("huge.json") + tooLarge},
      {{"show", dir.file("empty.xtr"), "x"}, 3, "Ana şifreniz geçersiz."},
      {{"ls", dir.file("sections.xtr")},
       2,
       dir.file("sections.xtr") + ": dosyadaki bölümler kayıt olarak yazıldığında dosya 64 MB'ı"},
      {{"import", dir.file("new.xtr"), dir.file("arrays.json")},
       4,
       dir.file("arrays.json") + ":1:2: her kayıt ALAN1..ALAN20 anahtarlı bir nesne olmalı"},
      {{"import", dir.file("new.xtr"), dir.file("records.json")},
       4,
       " kayıt alınır; daha fazlası okunabilen bir veri dosyasına (64 MB) sığmaz"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    const RunResult r = RunCli(c.arguments, "pw\n");
    EXPECT_EQ(r.exitCode, c.status);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
  }
  EXPECT_FALSE(Exists(dir.file("new.xtr")));
  EXPECT_EQ(ReadBytes(dir.file("empty.xtr")), emptySections);
  EXPECT_EQ(ReadBytes(dir.file("sections.xtr")), moreSections);
}

// Text from the file reaches a terminal with its control characters shown,
// never acted on; a script reading a pipe gets the bytes as they are.
TEST(CliCommandsTest, ControlCharactersFromTheFileAreShownNotSentToTheTerminal) {
  TempFolder dir;
  const std::string file = Imported(dir,
                                    "[{\"ALAN2\": \"Banka\\u001b]2;sahte\\u0007\\u001b[2J\","
                                    " \"ALAN4\": \"p\", \"ALAN10\": \"\\u009d31m\"}]",
                                    "data.xtr");
  const std::string visible = "Banka\\x1b]2;sahte\\x07\\x1b[2J";

  TerminalSession session;
  session.prompt = "Ana şifre: ";
  session.keys = {"pw\n"};
  session.outputOnTerminal = true;
  for (const std::vector<std::string>& arguments : {std::vector<std::string>{"ls", file},
                                                    {"show", file, "Banka\x1b]2;sahte\a\x1b[2J"},
                                                    {"health", file}}) {
    const RunResult r = RunCliOnTerminal(arguments, session);
    // health finds the weak password.
    EXPECT_EQ(r.exitCode, arguments[0] == "health" ? 1 : 0) << r.err;
    EXPECT_NE(r.err.find(visible), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("\\u009d31m"), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find_first_of("\x1b\a"), std::string::npos) << r.err;
  }

  const RunResult piped = RunCli({"ls", file}, "pw\n");
  EXPECT_EQ(piped.out,
            "Banka\x1b]2;sahte\a\x1b[2J\t\xC2\x9D"
            "31m\t\n");
}

// Ctrl-Z at the prompt, then fg: the prompt comes back, still silent.
TEST(CliCommandsTest, ThePromptStaysSilentAfterCtrlZAndFg) {
  // memcheck emulates signal delivery, the stop the tool sends itself
  // included; under heavy load a run there once hung after the second
  // prompt. What this checks is the terminal, which the plain run covers.
  if (std::getenv("QUILOR_MEMCHECK") != nullptr) GTEST_SKIP() << "stop signals under memcheck";
  TempFolder dir;
  const std::string file = dir.file("data.xtr");
  WriteBytes(file, Fixture("sample.xtr"));
  TerminalSession session;
  session.prompt = "Ana şifre: ";
  session.keys = {"\x1a", "Gizli Şifre ığüö\n"};
  session.jobControl = true;

  const RunResult r = RunCliOnTerminal({"export", file}, session);
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, Fixture("sample.json"));
  EXPECT_EQ(r.err.find("Gizli"), std::string::npos) << r.err;
}

// Started where a core dump would be allowed and written, a quilor-cli
// waiting for the password switches dumps off and leaves no core behind.
TEST(CliCommandsTest, NoCoreDumpOfTheToolCanBeWritten) {
  TempFolder dir;
  WriteBytes(dir.file("data.xtr"), Fixture("sample.xtr"));
  RunningCli cli({"ls", dir.file("data.xtr")}, dir.file(""), true);
  const std::string limits = "/proc/" + std::to_string(cli.pid()) + "/limits";
  auto coreLimitIsZero = [&] {
    std::istringstream text(ReadBytes(limits));
    for (std::string line; std::getline(text, line);) {
      if (!line.starts_with("Max core file size")) continue;
      std::istringstream values(line.substr(18));
      std::string soft, hard;
      values >> soft >> hard;
      return soft == "0" && hard == "0";
    }
    return false;
  };
  bool hardened = false;
  for (int i = 0; i < 6000 && !(hardened = coreLimitIsZero()); ++i) ::usleep(10000);
  ASSERT_TRUE(hardened) << ReadBytes(limits);

  ::kill(cli.pid(), SIGQUIT);
  const int status = cli.wait();
  ASSERT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(WTERMSIG(status), SIGQUIT);
  EXPECT_FALSE(WCOREDUMP(status));
  for (const auto& entry : std::filesystem::directory_iterator(dir.file(""))) {
    EXPECT_EQ(entry.path().filename(), "data.xtr");
  }
}

// Starts an import of records big enough to take a while into dir's
// "target" folder and sends signal once its staging shows there; the import
// must end by that signal.
void KillImportWhileItWrites(const TempFolder& dir, int signal) {
  std::string json = "[";
  for (int i = 0; i < 1000; ++i) {
    json += std::string(i == 0 ? "" : ",") + "{\"ALAN2\": \"k" + std::to_string(i) +
            "\", \"ALAN3\": \"" + std::string(300, 'u') + "\", \"ALAN4\": \"" +
            std::string(300, 'p') + "\", \"ALAN5\": \"" + std::string(300, 'q') + "\"}";
  }
  json += "]";
  std::filesystem::create_directories(dir.file("target"));
  WriteBytes(dir.file("r.json"), json);
  RunningCli cli({"import", dir.file("target/data.xtr"), dir.file("r.json")}, dir.file(""));
  cli.typeLine("pw");
  cli.typeLine("pw");
  // The staging folder shows that the import is writing.
  bool writing = false;
  for (int i = 0; i < 60000 && !writing; ++i) {
    writing = !std::filesystem::is_empty(dir.file("target"));
    if (!writing) ::usleep(1000);
  }
  ASSERT_TRUE(writing);
  ::kill(cli.pid(), signal);
  const int status = cli.wait();
  ASSERT_TRUE(WIFSIGNALED(status)) << status;
  EXPECT_EQ(WTERMSIG(status), signal);
}

// Ctrl-C or SIGTERM while an import writes: the process ends by the signal,
// with no file written and no staging folder left beside the target.
TEST(CliCommandsTest, AnInterruptedImportLeavesNothingBehind) {
  for (const int signal : {SIGINT, SIGTERM}) {
    SCOPED_TRACE(signal);
    TempFolder dir;
    KillImportWhileItWrites(dir, signal);
    EXPECT_TRUE(std::filesystem::is_empty(dir.file("target")));
  }
}

// SIGKILL gives the tool no chance to clear up: whatever it was staging
// stays beside the data file until the next import, which holds the file's
// lock and removes it.
TEST(CliCommandsTest, TheImportAfterAKilledOneRemovesItsLeftovers) {
  TempFolder dir;
  KillImportWhileItWrites(dir, SIGKILL);
  ASSERT_FALSE(std::filesystem::is_empty(dir.file("target")));

  const RunResult again =
      RunCli({"import", "--force", dir.file("target/data.xtr"), dir.file("r.json")}, "pw\npw\n");
  EXPECT_EQ(again.exitCode, 0) << again.err;
  std::vector<std::string> left;
  for (const auto& entry : std::filesystem::directory_iterator(dir.file("target"))) {
    left.push_back(entry.path().filename().string());
  }
  EXPECT_EQ(left, std::vector<std::string>{"data.xtr"});
}

}  // namespace
}  // namespace quilor::test
