#include "DesktopTools.h"

#include <QProcess>
#include <QRegularExpression>
#include <stdexcept>

// Xlib's macros (Status, Bool, None...) clash with Qt's names: after Qt.
#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace quilor::test {

namespace {

QString Output(const QString& program, const QStringList& arguments, bool* ok) {
  QProcess process;
  process.start(program, arguments);
  *ok = process.waitForFinished(10000) && process.exitStatus() == QProcess::NormalExit &&
        process.exitCode() == 0;
  if (process.state() != QProcess::NotRunning) {
    process.kill();
    process.waitForFinished();
  }
  return QString::fromLocal8Bit(process.readAllStandardOutput());
}

int lastErrorCode = 0;

}  // namespace

bool RunTool(const QString& program, const QStringList& arguments) {
  bool ok = false;
  Output(program, arguments, &ok);
  return ok;
}

bool LockIsOn(const QString& lock) {
  bool ok = false;
  const QString text = Output(QStringLiteral("xset"), {QStringLiteral("q")}, &ok);
  const QRegularExpression state(QRegularExpression::escape(lock) +
                                 QStringLiteral(":\\s+(on|off)"));
  const QRegularExpressionMatch match = state.match(text);
  return ok && match.hasMatch() && match.captured(1) == QLatin1String("on");
}

OtherClient::OtherClient() : display_(XOpenDisplay(nullptr)) {
  if (display_ == nullptr) throw std::runtime_error("cannot open a second X connection");
}

OtherClient::~OtherClient() { XCloseDisplay(display_); }

unsigned KeycodeOfD() {
  // Xlib keeps the keymap it read first; a new connection sees the current one.
  Display* fresh = XOpenDisplay(nullptr);
  if (fresh == nullptr) return 0;
  const unsigned keycode = XKeysymToKeycode(fresh, XK_d);
  XCloseDisplay(fresh);
  return keycode;
}

bool OtherClient::grabCtrlAltD(unsigned extraModifiers) {
  lastErrorCode = 0;
  XSync(display_, False);
  const XErrorHandler previous = XSetErrorHandler([](Display*, XErrorEvent* error) {
    lastErrorCode = error->error_code;
    return 0;
  });
  XGrabKey(display_, XKeysymToKeycode(display_, XK_d), ControlMask | Mod1Mask | extraModifiers,
           DefaultRootWindow(display_), False, GrabModeAsync, GrabModeAsync);
  XSync(display_, False);
  XSetErrorHandler(previous);
  return lastErrorCode == 0;
}

}  // namespace quilor::test
