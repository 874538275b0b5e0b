// Adding to a data file that holds records already, and merging a sync
// engine's conflict copy back, run as a user runs them.
#include <gtest/gtest.h>

#include <string>

#include "CliRunner.h"

namespace quilor::test {
namespace {

const std::string kSample = std::string(QUILOR_CLI_FIXTURES) + "/sample.json";

// The file's records as JSON, to compare before and after.
std::string Exported(const std::string& path, const std::string& password = "ana") {
  const RunResult r = RunCli({"export", path}, password + "\n");
  EXPECT_EQ(r.exitCode, 0) << r.err;
  return r.out;
}

std::string Listed(const std::string& path) { return RunCli({"ls", path}, "ana\n").out; }

// The JSON text of one record of an export: from its record number to the
// end of its object.
std::string RecordIn(const std::string& json, const std::string& number) {
  const auto start = json.find("\"ALAN1\": \"" + number + "\"");
  if (start == std::string::npos) return {};
  return json.substr(start, json.find('}', start) - start);
}

class MergeCommands : public testing::Test {
 protected:
  void SetUp() override {
    const RunResult r = RunCli({"import", data_, kSample}, "ana\n");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    before_ = Exported(data_);
  }

  TempFolder dir_;
  std::string data_ = dir_.file("data.xtr");
  std::string before_;
};

TEST_F(MergeCommands, ImportCsvMergeAddsNewRecordsAndLeavesTheOthersAsTheyWere) {
  WriteBytes(dir_.file("in.csv"),
             "Group,Title,Username,Password,URL,Notes,TOTP,Icon\n"
             "Root/E-posta,Yeni Posta,ali,s1,https://posta.örnek,\"iki\nsatır\",,0\n"
             "Root/Banka,Banka,,QARVELINOPESKA2,,,,0\n"
             "Root,Oyun,oyuncu,s3,,,,0\n");
  const std::string bytesBefore = ReadBytes(data_);

  // A multi-line note refuses the file and names the way out.
  RunResult r = RunCli({"import-csv", "--merge", data_, dir_.file("in.csv")}, "ana\n");
  EXPECT_EQ(r.exitCode, 4);
  EXPECT_NE(r.err.find("--join-lines"), std::string::npos) << r.err;
  // A wrong master password is found before anything is written.
  r = RunCli({"import-csv", "--merge", "--join-lines", data_, dir_.file("in.csv")}, "yanlış\n");
  EXPECT_EQ(r.exitCode, 3);
  EXPECT_EQ(ReadBytes(data_), bytesBefore);

  r = RunCli({"import-csv", "--merge", "--join-lines", data_, dir_.file("in.csv")}, "ana\n");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  // The sample's "Banka" has the same title, user name, password and address.
  EXPECT_NE(r.err.find("atlandı, tanımı, kullanıcı adı, şifresi ve web adresi aynı bir kayıt "
                       "zaten var: " +
                       dir_.file("in.csv") + ":4 \"Banka\""),
            std::string::npos)
      << r.err;
  EXPECT_NE(r.err.find("satırları \" / \" ile birleştirildi: satır 2 \"Yeni Posta\", Notes"),
            std::string::npos)
      << r.err;
  EXPECT_NE(r.err.find("2 kayıt eklendi"), std::string::npos) << r.err;
  EXPECT_EQ(Listed(data_),
            "Banka\t\t\nKişisel Posta\tKişisel\thttps://posta.example.com.tr/giris?dil=tr&x=1\n"
            "Oyun\t\t\nYeni Posta\tE-posta\thttps://posta.örnek\n");
  // The records that were there keep every field: scripts, dates, numbers.
  const std::string after = Exported(data_);
  for (const char* number : {"200903151030001230042", "201001020304050600999"}) {
    EXPECT_EQ(RecordIn(after, number), RecordIn(before_, number)) << number;
  }
  EXPECT_NE(after.find("\"ALAN6\": \"iki / satır\""), std::string::npos);

  // The same file again adds nothing and writes nothing.
  const std::string bytesAfter = ReadBytes(data_);
  r = RunCli({"import-csv", "--merge", "--join-lines", data_, dir_.file("in.csv")}, "ana\n");
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.err.find("eklenecek yeni kayıt yok"), std::string::npos) << r.err;
  EXPECT_EQ(ReadBytes(data_), bytesAfter);
}

TEST_F(MergeCommands, ImportMergeGivesEveryRecordANewNumber) {
  WriteBytes(dir_.file("other.json"),
             "[{\"ALAN1\": \"200903151030001230042\", \"ALAN2\": \"Başka\", \"ALAN4\": \"x\","
             " \"ALAN16\": \"{PASSWORD}{ENTER}\", \"ALAN11\": 40000}]");
  RunResult r = RunCli({"import", "--merge", data_, dir_.file("other.json")}, "ana\n");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const std::string after = Exported(data_);
  EXPECT_EQ(RecordIn(after, "200903151030001230042"), RecordIn(before_, "200903151030001230042"));
  const auto added = after.find("\"ALAN2\": \"Başka\"");
  ASSERT_NE(added, std::string::npos) << after;
  EXPECT_NE(after.find("\"ALAN16\": \"{PASSWORD}{ENTER}\""), std::string::npos);
  EXPECT_NE(after.find("\"ALAN11\": 40000"), std::string::npos);
  // --force and --merge contradict each other.
  EXPECT_EQ(
      RunCli({"import", "--merge", "--force", data_, dir_.file("other.json")}, "ana\n").exitCode,
      64);
}

TEST_F(MergeCommands, MergeBringsAConflictCopyBackWithoutLosingEitherSide) {
  // The copy: one record changed, one added, the other left alike.
  const std::string copy = dir_.file("data.sync-conflict-20261210-213000-ABCDEF1.xtr");
  std::string json = before_;
  json.replace(json.find("Şifre=ğüş;1"), std::string("Şifre=ğüş;1").size(), "yeni şifre");
  json.insert(json.rfind(']'),
              ", {\"ALAN1\": \"202612102130000000001\", \"ALAN2\": \"Orada eklendi\", "
              "\"ALAN4\": \"o\"}");
  WriteBytes(dir_.file("copy.json"), json);
  ASSERT_EQ(RunCli({"import", copy, dir_.file("copy.json")}, "ana\nana\n").exitCode, 0);
  const std::string copyBytes = ReadBytes(copy);

  RunResult r = RunCli({"merge", data_, copy}, "ana\n");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.err.find("iki dosyada farklı, ikisi de tutuldu: \"Kişisel Posta\" ve \"Kişisel "
                       "Posta (çakışma)\""),
            std::string::npos)
      << r.err;
  EXPECT_NE(r.err.find("1 kayıt iki dosyada da aynı"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("2 kayıt eklendi"), std::string::npos) << r.err;
  EXPECT_EQ(Listed(data_),
            "Banka\t\t\n"
            "Kişisel Posta\tKişisel\thttps://posta.example.com.tr/giris?dil=tr&x=1\n"
            "Kişisel Posta (çakışma)\tKişisel\thttps://posta.example.com.tr/giris?dil=tr&x=1\n"
            "Orada eklendi\t\t\n");
  EXPECT_EQ(ReadBytes(copy), copyBytes);

  // Merging the same copy again finds nothing new.
  const std::string merged = ReadBytes(data_);
  r = RunCli({"merge", data_, copy}, "ana\n");
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(ReadBytes(data_), merged);

  // A copy under another master password is refused by name.
  ASSERT_EQ(RunCli({"import", dir_.file("other.xtr"), kSample}, "başka\nbaşka\n").exitCode, 0);
  r = RunCli({"merge", data_, dir_.file("other.xtr")}, "ana\n");
  EXPECT_EQ(r.exitCode, 3);
  EXPECT_NE(r.err.find(dir_.file("other.xtr") + ": bu dosya aynı ana şifreyle açılmıyor"),
            std::string::npos)
      << r.err;
  EXPECT_EQ(ReadBytes(data_), merged);
}

}  // namespace
}  // namespace quilor::test
