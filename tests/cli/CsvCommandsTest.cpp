// import-csv and export-csv run as a user runs them, on files in scratch folders.
#include <gtest/gtest.h>

#include <string>

#include "CliRunner.h"

namespace quilor::test {
namespace {

TEST(CsvCommands, WhatImportCsvReadsExportCsvWritesBack) {
  TempFolder dir;
  // Columns in another order, an alias, a byte-order mark and bare LF.
  WriteBytes(dir.file("in.csv"),
             "\xEF\xBB\xBFnotes,Title,Grup,Login,Password,URL\n"
             "\"Şube, 2. kat\",Bankam İş,Banka,kullanıcı,\"ş\"\"ifre\",https://örnek.com\n"
             ",Boş,,,p,\n");
  RunResult r = RunCli({"import-csv", dir.file("data.xtr"), dir.file("in.csv")}, "ana\n");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.err, "");
  r = RunCli({"export-csv", dir.file("data.xtr")}, "ana\n");
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out,
            "\"Group\",\"Title\",\"Username\",\"Password\",\"URL\",\"Notes\"\r\n"
            "\"Banka\",\"Bankam İş\",\"kullanıcı\",\"ş\"\"ifre\",\"https://örnek.com\","
            "\"Şube, 2. kat\"\r\n"
            "\"\",\"Boş\",\"\",\"p\",\"\",\"\"\r\n");
  // The records are ordinary ones: the program's own listing shows them.
  r = RunCli({"ls", dir.file("data.xtr")}, "ana\n");
  EXPECT_EQ(r.out, "Bankam İş\tBanka\thttps://örnek.com\nBoş\t\t\n");
  EXPECT_EQ(RunCli({"export-csv", dir.file("data.xtr")}, "yanlış\n").exitCode, 3);
}

TEST(CsvCommands, ARefusedImportWritesNothingAndTruncateImportsWithAList) {
  TempFolder dir;
  WriteBytes(dir.file("in.csv"), "Title,Password\n" + std::string(60, 'T') + ",p\nKısa,k\n");
  RunResult r = RunCli({"import-csv", dir.file("data.xtr"), dir.file("in.csv")}, "ana\n");
  EXPECT_EQ(r.exitCode, 4);
  EXPECT_NE(r.err.find("satır 2 \"" + std::string(60, 'T') + "\", Title: en çok 50 bayt"),
            std::string::npos)
      << r.err;
  EXPECT_FALSE(Exists(dir.file("data.xtr")));

  r = RunCli({"import-csv", "--truncate", dir.file("data.xtr"), dir.file("in.csv")}, "ana\n");
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.err.find("kısaltıldı: satır 2"), std::string::npos) << r.err;
  r = RunCli({"ls", dir.file("data.xtr")}, "ana\n");
  EXPECT_EQ(r.out, "Kısa\t\t\n" + std::string(50, 'T') + "\t\t\n");

  // An existing file is replaced only with --force, as import does.
  r = RunCli({"import-csv", "--truncate", dir.file("data.xtr"), dir.file("in.csv")}, "ana\n");
  EXPECT_EQ(r.exitCode, 2);
  r = RunCli({"import-csv", "--truncate", "--force", dir.file("data.xtr"), dir.file("in.csv")},
             "ana\n");
  EXPECT_EQ(r.exitCode, 0) << r.err;
}

TEST(CsvCommands, MisuseAndBrokenFilesAreReportedWithTheirPlace) {
  TempFolder dir;
  WriteBytes(dir.file("broken.csv"), "Title,Password\nA,1\n\"B,2\n");
  RunResult r = RunCli({"import-csv", dir.file("data.xtr"), dir.file("broken.csv")}, "ana\n");
  EXPECT_EQ(r.exitCode, 4);
  EXPECT_NE(r.err.find("broken.csv:3:1: CSV hatası: bu tırnak kapanmıyor"), std::string::npos)
      << r.err;
  WriteBytes(dir.file("header.csv"), "Title,Password\n");
  EXPECT_EQ(RunCli({"import-csv", dir.file("data.xtr"), dir.file("header.csv")}, "ana\n").exitCode,
            4);
  EXPECT_FALSE(Exists(dir.file("data.xtr")));

  for (const auto& arguments : std::vector<std::vector<std::string>>{
           {"import", "--truncate", dir.file("data.xtr"), dir.file("x.json")},
           {"export-csv", "--force", dir.file("data.xtr")},
           {"import-csv", dir.file("data.xtr")},
       }) {
    EXPECT_EQ(RunCli(arguments, "ana\n").exitCode, 64) << arguments[0];
  }
}

}  // namespace
}  // namespace quilor::test
