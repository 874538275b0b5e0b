#pragma once

#include <QByteArray>
#include <QString>

namespace quilor {

// The release in use as the service writes releases: the program version
// without its leading letter ("s1.02.01" -> "1.02.01").
QString ReleaseInUse(const QString& programVersion);

// Whether newest comes after inUse, compared byte by byte from the left as
// unsigned values, a prefix before the longer text. Releases are written in
// one fixed form, so no part is read as a number: "1.1" is newer than
// "1.02.01", and "1.02.01 " (with a blank) newer than "1.02.01".
bool IsNewerRelease(const QByteArray& newest, const QByteArray& inUse);

}  // namespace quilor
