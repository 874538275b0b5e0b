// quilor-cli run as a user or a script runs it, on files in scratch folders.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QStringEncoder>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "CliRunner.h"
#include "TextConversion.h"

namespace quilor::cli::test {
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
std::string Imported(const ScratchDir& dir, const std::string& json, const std::string& name) {
  WriteBytes(dir.path(name + ".json"), json);
  const RunResult r = RunCli({"import", dir.path(name), dir.path(name + ".json")}, "pw\n");
  EXPECT_EQ(r.exitCode, 0) << r.err;
  return dir.path(name);
}

struct timespec ModificationTime(const std::string& path) {
  struct stat info {};
  EXPECT_EQ(::stat(path.c_str(), &info), 0);
  return info.st_mtim;
}

TEST(CliCommandsTest, ExportOfTheFixtureGivesEveryFieldInFileOrder) {
  ScratchDir dir;
  WriteBytes(dir.path("data.xtr"), Fixture("sample.xtr"));
  const RunResult r = RunCli({"export", dir.path("data.xtr")}, kFixturePassword);
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out, Fixture("sample.json"));
}

TEST(CliCommandsTest, ReadingCommandsLeaveTheFileAndTheFoldersUntouched) {
  ScratchDir dir;
  std::filesystem::create_directory(dir.path("tmp"));
  const std::string file = dir.path("data.xtr");
  WriteBytes(file, Fixture("sample.xtr"));
  const struct timespec past[2] = {{1000000000, 123456789}, {1000000000, 123456789}};
  ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), past, 0), 0);

  const std::vector<std::pair<std::vector<std::string>, int>> runs = {
      {{"ls", file}, 0},
      {{"show", file, "Banka"}, 0},
      {{"show", file, "Yok"}, 1},
      {{"export", file}, 0},
  };
  for (const auto& [arguments, status] : runs) {
    EXPECT_EQ(RunCli(arguments, kFixturePassword, {"TMPDIR=" + dir.path("tmp")}).exitCode, status)
        << arguments[0];
  }
  EXPECT_EQ(RunCli({"export", file}, "yanlış\n", {"TMPDIR=" + dir.path("tmp")}).exitCode, 3);

  EXPECT_EQ(ReadBytes(file), Fixture("sample.xtr"));
  const struct timespec after = ModificationTime(file);
  EXPECT_EQ(after.tv_sec, past[0].tv_sec);
  EXPECT_EQ(after.tv_nsec, past[0].tv_nsec);
  // No copy of the file is left behind, beside it or in the scratch folder.
  EXPECT_TRUE(std::filesystem::is_empty(dir.path("tmp")));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path("")),
                          std::filesystem::directory_iterator()),
            2);
}

TEST(CliCommandsTest, ListFollowsTheTitleOrderOfTheUsersLocale) {
  ScratchDir dir;
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

TEST(CliCommandsTest, ShowPrintsTheRecordWithItsSecretsAndOwnCaptions) {
  ScratchDir dir;
  WriteBytes(dir.path("data.xtr"), Fixture("sample.xtr"));
  const RunResult r = RunCli({"show", dir.path("data.xtr"), "Kişisel Posta"}, kFixturePassword);
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out,
            "Kayıt No: 200903151030001230042\n"
            "Tanımı: Kişisel Posta\n"
            "Grubu: Kişisel\n"
            "Açıklama: Açıklama: a=b\n"
            "Web / Mail Adres: https://posta.example.com.tr/giris?dil=tr&x=1\n"
            "Özel Kodu 1:\n"
            "Özel Kodu 2:\n"
            "Kullanıcı Adı: ayşe.yılmaz\n"
            "Şifre: Şifre=ğüş;1\n"
            "Şifre 2:\n"
            "Script: {USERNAME}{TAB}{PASSWORD}{ENTER}\n"
            "Sistem tepsisi: Evet\n"
            "Kayıt Tarihi: 2009-03-15\n"
            "Şifre 1 Değiştirme: 2009-03-15 10:30:00\n"
            "Şifre2 Değiştirme:\n");

  const RunResult banka = RunCli({"show", dir.path("data.xtr"), "Banka"}, kFixturePassword);
  EXPECT_NE(banka.out.find("\nPIN: QARVELINOPESKA2\n"), std::string::npos) << banka.out;
  EXPECT_NE(banka.out.find("\nŞifre 2: ikinci €\n"), std::string::npos) << banka.out;
}

TEST(CliCommandsTest, ShowLeavesADateBeyondTheCalendarEmpty) {
  ScratchDir dir;
  std::string file = Fixture("sample.xtr");
  for (const auto& [from, to] :
       {std::pair{"ALAN11=39887", "ALAN11=1E308"}, std::pair{"ALAN12=39887", "ALAN12=9.3E18"},
        std::pair{"ALAN14=0", "ALAN14=1E20"}}) {
    file.replace(file.find(from), std::string(from).size(), to);
  }
  WriteBytes(dir.path("data.xtr"), file);
  const RunResult r = RunCli({"show", dir.path("data.xtr"), "Kişisel Posta"}, kFixturePassword);
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("Kayıt Tarihi:\nŞifre 1 Değiştirme:\nŞifre2 Değiştirme:\n"),
            std::string::npos)
      << r.out;
}

// A data file an editor saved again as Unicode lists the same records; one
// that holds something yet gives no record is an error, not an empty list.
TEST(CliCommandsTest, ListReadsAUnicodeFileAndFailsOnAFileWithoutRecords) {
  ScratchDir dir;
  WriteBytes(dir.path("data.xtr"), Fixture("sample.xtr"));
  const RunResult original = RunCli({"ls", dir.path("data.xtr")}, kFixturePassword);
  ASSERT_EQ(original.exitCode, 0) << original.err;
  ASSERT_NE(original.out.find("Banka"), std::string::npos);

  const QString text = QString::fromStdString(Cp1254ToUtf8(Fixture("sample.xtr")));
  for (const auto encoding : {QStringConverter::Utf8, QStringConverter::Utf16LE}) {
    QStringEncoder encoder(encoding, QStringConverter::Flag::WriteBom);
    const QByteArray encoded = encoder.encode(text);
    WriteBytes(dir.path("unicode.xtr"), encoded.toStdString());
    const RunResult r = RunCli({"ls", dir.path("unicode.xtr")}, kFixturePassword);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, original.out);
    EXPECT_EQ(ReadBytes(dir.path("unicode.xtr")), encoded.toStdString());
  }

  WriteBytes(dir.path("foreign.xtr"), "ALAN2=bölümsüz\r\n");
  const RunResult foreign = RunCli({"ls", dir.path("foreign.xtr")}, kFixturePassword);
  EXPECT_EQ(foreign.exitCode, 2);
  EXPECT_EQ(foreign.out, "");
  EXPECT_NE(foreign.err.find(dir.path("foreign.xtr") + ": dosyada okunabilen bir kayıt yok"),
            std::string::npos)
      << foreign.err;
  EXPECT_EQ(ReadBytes(dir.path("foreign.xtr")), "ALAN2=bölümsüz\r\n");
}

TEST(CliCommandsTest, ShowPrintsEveryRecordWithTheTitleAndFailsWithoutOne) {
  ScratchDir dir;
  const std::string file = Imported(dir,
                                    "[{\"ALAN2\": \"Posta\", \"ALAN4\": \"bir\"},"
                                    " {\"ALAN2\": \"posta\", \"ALAN4\": \"iki\"},"
                                    " {\"ALAN2\": \"Posta\", \"ALAN4\": \"üç\"}]",
                                    "data.xtr");
  const RunResult both = RunCli({"show", file, "Posta"}, "pw\n");
  EXPECT_EQ(both.exitCode, 0);
  const auto first = both.out.find("Şifre: bir\n");
  const auto second = both.out.find("\n\nKayıt No:");
  const auto third = both.out.find("Şifre: üç\n");
  EXPECT_TRUE(first < second && second < third) << both.out;
  EXPECT_EQ(both.out.find("Şifre: iki"), std::string::npos);

  const RunResult none = RunCli({"show", file, "Yok"}, "pw\n");
  EXPECT_EQ(none.exitCode, 1);
  EXPECT_EQ(none.out, "");
  EXPECT_EQ(none.err, "quilor-cli: bu tanımla bir kayıt yok: Yok\n");
}

TEST(CliCommandsTest, ImportThenExportGivesTheSameRecords) {
  ScratchDir dir;
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
  ScratchDir dir;
  const std::string file = dir.path("data.xtr");
  WriteBytes(file, Fixture("sample.xtr"));
  WriteBytes(dir.path("new.json"), "[{\"ALAN2\": \"Yeni\", \"ALAN4\": \"p\"}]");

  const RunResult refused = RunCli({"import", file, dir.path("new.json")}, "pw\n");
  EXPECT_EQ(refused.exitCode, 2);
  EXPECT_EQ(refused.err,
            "quilor-cli: " + file + ": dosya zaten var; üzerine yazmak için --force verin\n");
  EXPECT_EQ(ReadBytes(file), Fixture("sample.xtr"));

  const RunResult forced = RunCli({"import", "--force", file, dir.path("new.json")}, "pw\n");
  EXPECT_EQ(forced.exitCode, 0) << forced.err;
  EXPECT_EQ(RunCli({"ls", file}, "pw\n").out, "Yeni\t\t\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path("")),
                          std::filesystem::directory_iterator()),
            2);
}

TEST(CliCommandsTest, ImportOntoALinkReplacesTheLinkedFileAndKeepsTheLink) {
  ScratchDir dir;
  std::filesystem::create_directory(dir.path("sync"));
  WriteBytes(dir.path("sync/data.xtr"), Fixture("sample.xtr"));
  std::filesystem::create_symlink("sync/data.xtr", dir.path("data.xtr"));
  WriteBytes(dir.path("new.json"), "[{\"ALAN2\": \"Yeni\", \"ALAN4\": \"p\"}]");

  const RunResult r =
      RunCli({"import", "--force", dir.path("data.xtr"), dir.path("new.json")}, "pw\n");

  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(std::filesystem::is_symlink(dir.path("data.xtr")));
  EXPECT_EQ(RunCli({"ls", dir.path("sync/data.xtr")}, "pw\n").out, "Yeni\t\t\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path("sync")),
                          std::filesystem::directory_iterator()),
            1);
}

// A full disk under the data file: the import fails whole, says so and
// leaves the old file and the folder as they were.
TEST(CliCommandsTest, AnImportThatCannotBeWrittenLeavesTheOldFile) {
  ScratchDir dir;
  const std::string disk = dir.path("disk");
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
  WriteBytes(dir.path("new.json"), "[{\"ALAN2\": \"Yeni\", \"ALAN4\": \"p\"}]");

  const RunResult r = RunCli({"import", "--force", file, dir.path("new.json")}, "pw\n");

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
      // The profile reader drops blanks and quotes around a value.
      {"[{\"ALAN2\": \"t\", \"ALAN4\": \"p\"}, {\"ALAN2\": \"t\", \"ALAN6\": \" boşluk\"}]",
       ":1:56: kayıt 2, ALAN6: veri dosyası bu değeri olduğu gibi geri vermiyor"},
      {"[{\"ALAN2\": \"'tırnak'\", \"ALAN4\": \"p\"}]",
       ":1:12: kayıt 1, ALAN2: veri dosyası bu değeri olduğu gibi geri vermiyor"},
      {"[]", ": hiç kayıt yok"},
  };
  for (const ImportRefusal& c : cases) {
    SCOPED_TRACE(c.message);
    ScratchDir dir;
    WriteBytes(dir.path("r.json"), c.json);
    const RunResult r = RunCli({"import", dir.path("data.xtr"), dir.path("r.json")}, "pw\n");
    EXPECT_EQ(r.exitCode, 4);
    const std::string expected = "quilor-cli: " + dir.path("r.json") + c.message;
    EXPECT_EQ(r.err.substr(0, expected.size()), expected) << r.err;
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1);
    EXPECT_FALSE(Exists(dir.path("data.xtr")));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path("")),
                            std::filesystem::directory_iterator()),
              1);
  }
}

TEST(CliCommandsTest, MasterPasswordIsTheFirstLineWithoutItsLineEnd) {
  ScratchDir dir;
  WriteBytes(dir.path("data.xtr"), Fixture("sample.xtr"));
  const std::string file = dir.path("data.xtr");
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
  const RunResult unmappable = RunCli({"ls", file}, "şifre✓\n");
  EXPECT_EQ(unmappable.exitCode, 4);
  EXPECT_EQ(unmappable.err,
            "quilor-cli: ana şifredeki şu karakter Windows-1254'te yok: '✓' (U+2713)\n");
}

TEST(CliCommandsTest, AtATerminalThePasswordIsAskedWithoutEcho) {
  ScratchDir dir;
  const std::string file = dir.path("data.xtr");
  WriteBytes(file, Fixture("sample.xtr"));
  const std::string password = "Gizli Şifre ığüö";

  const RunResult exported = RunCliOnTerminal({"export", file}, "Ana şifre: ", {password});
  EXPECT_EQ(exported.exitCode, 0) << exported.err;
  EXPECT_EQ(exported.out, Fixture("sample.json"));
  EXPECT_EQ(exported.err.find("Gizli"), std::string::npos) << exported.err;

  // A new file's password is asked twice: a typing error would lock it.
  WriteBytes(dir.path("r.json"), "[{\"ALAN2\": \"t\", \"ALAN4\": \"p\"}]");
  const std::vector<std::string> import = {"import", dir.path("new.xtr"), dir.path("r.json")};
  const RunResult differ = RunCliOnTerminal(import, "şifre", {"bir", "iki"});
  EXPECT_EQ(differ.exitCode, 4);
  EXPECT_NE(differ.err.find("Ana şifre (tekrar): "), std::string::npos) << differ.err;
  EXPECT_NE(differ.err.find("girilen iki ana şifre aynı değil"), std::string::npos);
  EXPECT_FALSE(Exists(dir.path("new.xtr")));

  EXPECT_EQ(RunCliOnTerminal(import, "şifre", {"üç", "üç"}).exitCode, 0);
  EXPECT_EQ(RunCli({"ls", dir.path("new.xtr")}, "üç\n").out, "t\t\t\n");
}

TEST(CliCommandsTest, FilesThatCannotBeReadAreReportedBeforeThePasswordIsUsed) {
  ScratchDir dir;
  const std::string missing = dir.path("yok.xtr");
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"ls", missing}, missing + ": dosya yok"},
      {{"export", dir.path("")}, dir.path("") + ": bir dosya değil"},
      {{"import", dir.path("data.xtr"), missing}, missing + ": dosya yok"},
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

}  // namespace
}  // namespace quilor::cli::test
