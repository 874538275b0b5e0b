#include "X11Session.h"

#include <QtGui/qguiapplication_platform.h>

#include <QGuiApplication>

namespace quilor {

namespace {

QNativeInterface::QX11Application* QtX11() {
  if (qGuiApp == nullptr || QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
  return qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
}

}  // namespace

xcb_connection_t* QtXcbConnection() {
  auto* x11 = QtX11();
  return x11 != nullptr ? x11->connection() : nullptr;
}

_XDisplay* QtXlibDisplay() {
  auto* x11 = QtX11();
  return x11 != nullptr ? x11->display() : nullptr;
}

}  // namespace quilor
