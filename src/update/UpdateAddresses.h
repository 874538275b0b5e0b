#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>
#include <optional>

namespace quilor {

// The version query: the service address, "?prg=" and the program code,
// with nothing added.
QUrl VersionQueryUrl(const QString& serviceAddress, const QString& programCode);

// The maker's news page for the release in use, opened when the service
// named no download address: "id" stays empty, "surum" is the release from
// its third character on ("1.02.01" -> "02.01").
QUrl NewsPageUrl(const QString& siteAddress, const QString& releaseInUse);

// The download address the service named, when it is one a browser should
// open. The answer comes over plain HTTP, so anyone on the way can rewrite
// it: only web addresses (http, https, or a bare "www...") are taken, never
// a local file or another program's scheme.
std::optional<QUrl> DownloadUrl(const QByteArray& link);

}  // namespace quilor
