// Which records the health report names, for what, in which order, and the
// totals it heads them with.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Cp1254.h"
#include "HealthWording.h"
#include "PasswordHealth.h"
#include "SampleRecords.h"

namespace quilor {
namespace {

using test::AppendSample;
using test::Days;

const long long kToday = static_cast<long long>(Days(2026, 12, 10));
// Strong enough for any meter, and each record's own.
const QString kStrong[] = {"Kx9#mP2$vL7qR4wZ", "Tq8!zW3@nB6^yH1%", "Fz4&cJ8*uE5)sD2(",
                           "Mv7%gA1#pK9!tX3$", "Wb2^hN6@rQ4&eY8*"};

// "title: finding" for every finding, in the report's order.
std::vector<std::string> Lines(const HealthReport& report) {
  std::vector<std::string> lines;
  for (const HealthFinding& f : report.findings) {
    lines.push_back(FromCp1254(f.title).toStdString() + ": " + FindingText(f).toStdString());
  }
  return lines;
}

TEST(PasswordHealth, NamesEachProblemWorstFirstWithTheTotals) {
  RecordTable table;
  const double fresh = kToday - 10;
  const QString shared = "Ortak-Şifre-9x#Q2!";
  AppendSample(table, {.title = "Sağlam", .password = kStrong[0], .password1Date = fresh});
  AppendSample(table,
               {.title = "Eski Posta", .password = kStrong[1], .password1Date = kToday - 400.0});
  AppendSample(table, {.title = "Forum", .password = shared, .password1Date = fresh});
  AppendSample(table, {.title = "Banka", .password = "123456", .password1Date = fresh});
  AppendSample(table, {.title = "Boş", .password = "", .password1Date = 0});
  AppendSample(table, {.title = "Oyun", .password = shared, .password1Date = fresh});
  AppendSample(table, {.title = "Tarihsiz", .password = kStrong[2], .password1Date = 0});
  AppendSample(table, {.title = "Haber", .password = shared, .password1Date = kToday - 366.0});
  AppendSample(table,
               {.title = "Sınırda", .password = kStrong[3], .password1Date = kToday - 365.0});
  // Fair on its own, very weak once the record's own words are known.
  AppendSample(table, {.title = "KelebekVadisi",
                       .userName = "kelebek.vadisi",
                       .password = "KelebekVadisi2024",
                       .password1Date = fresh});
  AppendSample(table, {.title = "Mahalle", .password = "ankara06ankara", .password1Date = fresh});

  const HealthReport report = CheckPasswordHealth(table, kToday);
  EXPECT_EQ(report.records, 11u);
  EXPECT_EQ(Lines(report), (std::vector<std::string>{
                               "Boş: Şifre boş",
                               "Banka: Şifre gücü: Çok zayıf",
                               "KelebekVadisi: Şifre gücü: Çok zayıf",
                               "Mahalle: Şifre gücü: Zayıf",
                               "Forum: Aynı şifre 2 başka kayıtta da var",
                               "Oyun: Aynı şifre 2 başka kayıtta da var",
                               "Haber: Aynı şifre 2 başka kayıtta da var",
                               "Tarihsiz: Şifrenin değiştirildiği tarih yok",
                               "Eski Posta: Şifre 400 gündür değiştirilmedi",
                               "Haber: Şifre 366 gündür değiştirilmedi",
                           }));
  EXPECT_EQ(HealthHeader(report).toStdString(),
            "11 kayıttan 3'ü zayıf, 3'ü ortak, 3'ü eski, 1'i boş");
}

TEST(PasswordHealth, FindingsNameTheRecordNeverItsPassword) {
  RecordTable table;
  AppendSample(table, {.title = "Banka",
                       .group = "Para",
                       .userName = "ali",
                       .password = "123456",
                       .recordNumber = "202401010900000000001"});
  AppendSample(table,
               {.title = "Kart", .password = "123456", .recordNumber = "202401010900000000002"});
  const HealthReport report = CheckPasswordHealth(table, kToday);
  ASSERT_FALSE(report.findings.empty());
  for (const HealthFinding& f : report.findings) {
    EXPECT_TRUE(f.recordNumber == "202401010900000000001" ||
                f.recordNumber == "202401010900000000002");
    EXPECT_EQ(FindingText(f).indexOf("123456"), -1);
  }
  EXPECT_EQ(report.findings.front().group, "Para");
}

TEST(PasswordHealth, AHealthyCollectionHasNoFindings) {
  RecordTable table;
  for (const QString& password : kStrong) {
    AppendSample(table, {.title = "Kayıt " + password.left(2),
                         .password = password,
                         .password1Date = kToday - 1.0});
  }
  const HealthReport report = CheckPasswordHealth(table, kToday);
  EXPECT_TRUE(report.findings.empty());
  EXPECT_EQ(HealthHeader(report).toStdString(), "5 kayıttan 0'ı zayıf, 0'ı ortak, 0'ı eski");
  RecordTable none;
  EXPECT_EQ(CheckPasswordHealth(none, kToday).records, 0u);
}

}  // namespace
}  // namespace quilor
