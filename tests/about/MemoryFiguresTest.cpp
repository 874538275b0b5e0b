// The about box's memory figures: read from /proc/meminfo, written in the
// user's number format.
#include <gtest/gtest.h>

#include "MemoryFigures.h"

namespace quilor {
namespace {

TEST(MemoryFigures, ReadsTotalAndShareInUse) {
  const struct {
    const char* what;
    QByteArray meminfo;
    quint64 totalBytes;
    int percent;
  } cases[] = {
      {"available counted",
       "MemTotal:       16000000 kB\nMemFree:          800000 kB\n"
       "MemAvailable:    4000000 kB\nBuffers:          100000 kB\nCached:          5000000 kB\n",
       16000000ull * 1024, 75},
      {"rounded to the nearest", "MemTotal: 3 kB\nMemAvailable: 1 kB\n", 3 * 1024, 67},
      {"old kernel: free, buffers and cache",
       "MemTotal:  1000 kB\nMemFree:  100 kB\nBuffers:  50 kB\nCached:  250 kB\n", 1000 * 1024, 60},
      {"nothing available", "MemTotal: 1000 kB\nMemAvailable: 0 kB\n", 1000 * 1024, 100},
      {"more available than total", "MemTotal: 1000 kB\nMemAvailable: 2000 kB\n", 1000 * 1024, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::optional<MemoryStatus> status = ParseMemInfo(c.meminfo);
    ASSERT_TRUE(status.has_value());
    EXPECT_EQ(status->totalBytes, c.totalBytes);
    EXPECT_EQ(status->percentInUse, c.percent);
  }
  EXPECT_FALSE(ParseMemInfo("MemFree: 100 kB\n").has_value());
  EXPECT_FALSE(ParseMemInfo("MemTotal: 0 kB\n").has_value());
  EXPECT_FALSE(ParseMemInfo("").has_value());
}

TEST(MemoryFigures, ThisMachine) {
  const std::optional<MemoryStatus> status = ReadMemoryStatus();
  ASSERT_TRUE(status.has_value());
  EXPECT_GT(status->totalBytes, 0u);
  EXPECT_GE(status->percentInUse, 0);
  EXPECT_LE(status->percentInUse, 100);
}

TEST(MemoryFigures, KilobytesWithTheLocalesSeparator) {
  const quint64 total = 16318464ull * 1024 + 1023;  // the part below a kilobyte is dropped
  const struct {
    const char* locale;
    QString text;
  } cases[] = {
      {"tr_TR", QStringLiteral("16.318.464 KB")},
      {"en_US", QStringLiteral("16,318,464 KB")},
      {"de_CH", QStringLiteral("16’318’464 KB")},
      {"fr_FR", QStringLiteral("16\u202f318\u202f464 KB")},
      {"C", QStringLiteral("16,318,464 KB")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.locale);
    EXPECT_EQ(PhysicalMemoryText(total, QLocale(QString::fromLatin1(c.locale))), c.text);
  }
  EXPECT_EQ(PhysicalMemoryText(999 * 1024, QLocale(QStringLiteral("tr_TR"))),
            QStringLiteral("999 KB"));
  EXPECT_EQ(MemoryInUseText(37), QStringLiteral("37 %"));
}

}  // namespace
}  // namespace quilor
