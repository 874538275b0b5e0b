// quilor-cli health: one line per finding, the totals apart, no password
// anywhere, and an exit status a script can test.
#include <gtest/gtest.h>

#include <QDate>
#include <string>

#include "CliRunner.h"

namespace quilor::test {
namespace {

std::string DaysAgo(int days) {
  return std::to_string(QDate(1899, 12, 30).daysTo(QDate::currentDate()) - days);
}

std::string Imported(const TempFolder& dir, const std::string& json) {
  WriteBytes(dir.file("records.json"), json);
  const RunResult r = RunCli({"import", dir.file("data.xtr"), dir.file("records.json")}, "pw\n");
  EXPECT_EQ(r.exitCode, 0) << r.err;
  return dir.file("data.xtr");
}

TEST(HealthCommandTest, PrintsOneLinePerFindingWorstFirstAndExitsOne) {
  TempFolder dir;
  const std::string shared = "Tq8!zW3@nB6^yH1%";
  const std::string file = Imported(
      dir, "[{\"ALAN2\": \"Eski\", \"ALAN4\": \"Kx9#mP2$vL7qR4wZ\", \"ALAN12\": " + DaysAgo(500) +
               "},"
               " {\"ALAN2\": \"Forum\", \"ALAN4\": \"" +
               shared + "\", \"ALAN12\": " + DaysAgo(0) +
               "},"
               " {\"ALAN2\": \"Banka\", \"ALAN10\": \"Para\", \"ALAN4\": \"123456\", \"ALAN12\": " +
               DaysAgo(3) +
               "},"
               " {\"ALAN2\": \"Oyun\", \"ALAN4\": \"" +
               shared + "\", \"ALAN12\": " + DaysAgo(1) + "}]");

  const RunResult r = RunCli({"health", file}, "pw\n");
  EXPECT_EQ(r.exitCode, 1) << r.err;
  EXPECT_EQ(r.out,
            "Banka\tPara\tŞifre gücü: Çok zayıf\n"
            "Forum\t\tAynı şifre 1 başka kayıtta da var\n"
            "Oyun\t\tAynı şifre 1 başka kayıtta da var\n"
            "Eski\t\tŞifre 500 gündür değiştirilmedi\n");
  EXPECT_NE(r.err.find("4 kayıttan 1'i zayıf, 2'si ortak, 1'i eski\n"), std::string::npos) << r.err;
  for (const std::string& password : {shared, std::string("123456"), std::string("Kx9#mP2")}) {
    EXPECT_EQ(r.out.find(password), std::string::npos);
    EXPECT_EQ(r.err.find(password), std::string::npos);
  }
}

TEST(HealthCommandTest, ExitsZeroWhenNothingIsFoundAndThreeOnAWrongPassword) {
  TempFolder dir;
  const std::string file = Imported(dir,
                                    "[{\"ALAN2\": \"Sağlam\", \"ALAN4\": \"Fz4&cJ8*uE5)sD2(\","
                                    " \"ALAN12\": " +
                                        DaysAgo(365) + "}]");
  const RunResult healthy = RunCli({"health", file}, "pw\n");
  EXPECT_EQ(healthy.exitCode, 0) << healthy.err;
  EXPECT_EQ(healthy.out, "");
  EXPECT_NE(healthy.err.find("1 kayıttan 0'ı zayıf, 0'ı ortak, 0'ı eski"), std::string::npos)
      << healthy.err;

  EXPECT_EQ(RunCli({"health", file}, "yanlış\n").exitCode, 3);
  EXPECT_EQ(RunCli({"health", dir.file("yok.xtr")}, "pw\n").exitCode, 2);
  EXPECT_EQ(RunCli({"health"}, "pw\n").exitCode, 64);
}

}  // namespace
}  // namespace quilor::test
