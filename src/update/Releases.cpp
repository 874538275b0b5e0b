#include "Releases.h"

#include <algorithm>

namespace quilor {

QString ReleaseInUse(const QString& programVersion) { return programVersion.mid(1); }

bool IsNewerRelease(const QByteArray& newest, const QByteArray& inUse) {
  return std::lexicographical_compare(
      inUse.begin(), inUse.end(), newest.begin(), newest.end(),
      [](char a, char b) { return static_cast<unsigned char>(a) < static_cast<unsigned char>(b); });
}

}  // namespace quilor
