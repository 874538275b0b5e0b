#include "DesktopOpener.h"

#include <QProcess>

namespace quilor {

QString AddressForDesktop(const QString& address) {
  if (address.startsWith(QLatin1String("www."), Qt::CaseInsensitive)) {
    return QStringLiteral("http://") + address;
  }
  return address;
}

void OpenWithDesktop(const QString& address) {
  // Detached, so that a browser started by the opener outlives us and never
  // waits on our event loop; the text goes as one argument, never through a shell.
  QProcess::startDetached(QStringLiteral("xdg-open"), {AddressForDesktop(address)});
}

}  // namespace quilor
