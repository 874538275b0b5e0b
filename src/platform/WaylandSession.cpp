#include "WaylandSession.h"

#include <QByteArray>
#include <QtGlobal>

namespace quilor {

bool IsWaylandSession() { return !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"); }

void PreferX11OnWayland() {
  if (!IsWaylandSession() || qEnvironmentVariableIsEmpty("DISPLAY")) return;
  if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) return;
  qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("xcb"));
}

}  // namespace quilor
