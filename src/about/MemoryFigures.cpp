#include "MemoryFigures.h"

#include <QFile>
#include <QList>
#include <algorithm>
#include <cmath>

namespace quilor {

namespace {

// The value of "Name:   1234 kB" in kilobytes.
std::optional<quint64> KilobytesOf(const QList<QByteArray>& lines, const QByteArray& name) {
  const QByteArray prefix = name + ':';
  for (const QByteArray& line : lines) {
    if (!line.startsWith(prefix)) continue;
    QByteArray number = line.mid(prefix.size()).trimmed();
    if (number.endsWith(" kB")) number.chop(3);
    bool ok = false;
    const quint64 value = number.trimmed().toULongLong(&ok);
    if (ok) return value;
  }
  return std::nullopt;
}

}  // namespace

std::optional<MemoryStatus> ParseMemInfo(const QByteArray& meminfo) {
  const QList<QByteArray> lines = meminfo.split('\n');
  const std::optional<quint64> total = KilobytesOf(lines, "MemTotal");
  if (!total || *total == 0) return std::nullopt;

  std::optional<quint64> available = KilobytesOf(lines, "MemAvailable");
  if (!available) {
    available = KilobytesOf(lines, "MemFree").value_or(0) +
                KilobytesOf(lines, "Buffers").value_or(0) +
                KilobytesOf(lines, "Cached").value_or(0);
  }
  const quint64 inUse = *total - std::min(*available, *total);
  return MemoryStatus{*total * 1024,
                      static_cast<int>(std::lround(100.0 * static_cast<double>(inUse) /
                                                   static_cast<double>(*total)))};
}

std::optional<MemoryStatus> ReadMemoryStatus() {
  QFile file(QStringLiteral("/proc/meminfo"));
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  return ParseMemInfo(file.readAll());
}

QString PhysicalMemoryText(quint64 totalBytes, const QLocale& locale) {
  QLocale grouped = locale;
  grouped.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
  return grouped.toString(static_cast<qulonglong>(totalBytes / 1024)) + QStringLiteral(" KB");
}

QString MemoryInUseText(int percentInUse) {
  return QString::number(percentInUse) + QStringLiteral(" %");
}

}  // namespace quilor
