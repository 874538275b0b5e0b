#pragma once

// The desktop as another program sees it: command-line X tools run to their
// end, and a second X client of our own.

#include <QString>
#include <QStringList>

struct _XDisplay;

namespace quilor::test {

// Runs an X tool (xdotool, setxkbmap, xmodmap, xset) to its end; false when
// it failed or did not end within ten seconds.
bool RunTool(const QString& program, const QStringList& arguments);

// The state of a keyboard lock LED as `xset q` shows it ("Caps Lock", "Num Lock").
bool LockIsOn(const QString& lock);

// The key that types "d" now, read fresh from the server.
unsigned KeycodeOfD();

// A client of the X server apart from Qt's connection, like another program.
class OtherClient {
 public:
  OtherClient();
  ~OtherClient();
  OtherClient(const OtherClient&) = delete;
  OtherClient& operator=(const OtherClient&) = delete;

  // Grabs Ctrl+Alt+D on the root window in one modifier state (Xlib masks);
  // false when the server refuses it.
  bool grabCtrlAltD(unsigned extraModifiers);

 private:
  _XDisplay* display_;
};

}  // namespace quilor::test
