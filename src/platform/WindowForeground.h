#pragma once

class QWindow;

namespace quilor {

// Puts a top-level window of this program in front of whatever program the
// user works in and gives it the keyboard, even when the window manager's
// focus-stealing prevention would keep it behind. True when the window is the
// active window at the end.
bool ForceToForeground(QWindow* window);

}  // namespace quilor
