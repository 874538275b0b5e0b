// Which implementation of the hot key and the idle probe the running desktop
// gets: the X11 ones on an X server, the unavailable ones anywhere else
// (Wayland without Xwayland, offscreen).
#include "Unavailable.h"
#include "x11/X11Bindings.h"
#include "x11/X11Session.h"

namespace quilor {

std::unique_ptr<GlobalHotKey> MakeGlobalHotKey() {
  if (xcb_connection_t* connection = QtXcbConnection()) return MakeX11GlobalHotKey(connection);
  return MakeUnavailableHotKey();
}

std::unique_ptr<IdleProbe> MakeIdleProbe() {
  if (_XDisplay* display = QtXlibDisplay()) {
    if (auto probe = MakeX11IdleProbe(display)) return probe;
  }
  return MakeUnavailableIdleProbe();
}

}  // namespace quilor
