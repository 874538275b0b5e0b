#pragma once

// The X11 implementations of the platform interfaces, on Qt's connection.

#include <memory>

#include "GlobalHotKey.h"
#include "IdleProbe.h"

struct xcb_connection_t;
struct _XDisplay;

namespace quilor {

std::unique_ptr<GlobalHotKey> MakeX11GlobalHotKey(xcb_connection_t* connection);

// Null when the server lacks the MIT-SCREEN-SAVER extension.
std::unique_ptr<IdleProbe> MakeX11IdleProbe(_XDisplay* display);

}  // namespace quilor
