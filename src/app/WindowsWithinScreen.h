#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>

class QApplication;

namespace quilor {

// Keeps every window of the program inside the available area of its
// screen, frame included. A window that a large scale factor or a small
// screen makes too big is shrunk to fit when it is shown; a dialog whose
// layout cannot shrink that far gets its content in a scroll area first.
// Once the window manager has framed a window, it is moved in from any edge
// it crosses.
void KeepWindowsWithinScreen(QApplication& app);

// Where a window with this client geometry and frame goes so that all of it
// lies within available: no larger than the area allows yet not below
// minimum, and moved in from any edge it crosses. When even the minimum is
// too large, the top left corner, where the title bar is, stays on screen.
QRect FitWithin(const QRect& geometry, const QMargins& frame, const QRect& available,
                const QSize& minimum);

}  // namespace quilor
