#pragma once

#include <QByteArray>
#include <QLocale>
#include <QString>
#include <optional>

namespace quilor {

// The computer's physical memory as the about box shows it.
struct MemoryStatus {
  quint64 totalBytes = 0;
  // Share of physical memory in use, 0 to 100: what is neither free nor
  // reclaimable at once (the kernel's MemAvailable).
  int percentInUse = 0;
};

// Reads the text of /proc/meminfo. Without MemAvailable (kernels before
// 3.14) free, buffer and page-cache memory count as available. Nothing when
// MemTotal is missing or zero.
std::optional<MemoryStatus> ParseMemInfo(const QByteArray& meminfo);

// The figures of this machine, from /proc/meminfo.
std::optional<MemoryStatus> ReadMemoryStatus();

// Whole kilobytes with the locale's thousands separator and " KB":
// "16.318.464 KB" in Turkish, "16,318,464 KB" in English.
QString PhysicalMemoryText(quint64 totalBytes, const QLocale& locale);

// "37 %".
QString MemoryInUseText(int percentInUse);

}  // namespace quilor
