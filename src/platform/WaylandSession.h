#pragma once

namespace quilor {

// A Wayland desktop session: what reaches us through X11 there is only
// what runs under Xwayland.
bool IsWaylandSession();

// On a Wayland session that offers Xwayland, run on Qt's X11 platform:
// the global hot key, typing into other programs and the idle time need X11.
// Call before the application object is made. A platform the user chose
// (QT_QPA_PLATFORM) is left as it is.
void PreferX11OnWayland();

}  // namespace quilor
