#pragma once

// Qt's own connection to the X server, when the program runs on one.

struct xcb_connection_t;
struct _XDisplay;

namespace quilor {

// Null unless the application runs on the xcb platform (not on Wayland, not
// offscreen). Requests on these share Qt's connection and its event queue.
xcb_connection_t* QtXcbConnection();
_XDisplay* QtXlibDisplay();

}  // namespace quilor
