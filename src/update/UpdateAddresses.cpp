#include "UpdateAddresses.h"

namespace quilor {

QUrl VersionQueryUrl(const QString& serviceAddress, const QString& programCode) {
  return QUrl(serviceAddress + QStringLiteral("?prg=") + programCode);
}

QUrl NewsPageUrl(const QString& siteAddress, const QString& releaseInUse) {
  return QUrl(siteAddress + QStringLiteral("programlar/guncelhaber.php?id=&surum=") +
              releaseInUse.mid(2));
}

std::optional<QUrl> DownloadUrl(const QByteArray& link) {
  if (link.isEmpty()) return std::nullopt;
  const QUrl url = QUrl::fromUserInput(QString::fromUtf8(link));
  if (!url.isValid() || url.host().isEmpty()) return std::nullopt;
  if (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https")) {
    return std::nullopt;
  }
  return url;
}

}  // namespace quilor
