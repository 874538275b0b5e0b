#pragma once

#include <X11/Xlib.h>

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quilor {

// A top-level window as the window manager lists it.
struct TopLevelWindow {
  ::Window id = None;
  std::string title;  // UTF-8; may be empty
};

// The managed top-level windows, top of the stack first, that a user would
// call application windows: shown or minimised, not owned by another window
// (dialogs belong to their program's main window), and not a utility,
// toolbar, dock, desktop, menu, splash or notification window. Windows in
// `excluded` (our own) are left out.
std::vector<TopLevelWindow> ApplicationWindows(Display* display,
                                               const std::vector<::Window>& excluded);

// The window the user works in: the window manager's active window, or
// the input focus when no window manager says.
::Window ActiveWindow(Display* display);

// True when the window is the active one and the keyboard focus is in it
// (both: the window manager announces a change of the active window a
// moment before or after the focus really moves).
bool HasKeyboard(Display* display, ::Window window);

// Asks the window manager to activate the window (it is restored when
// minimised) and waits, at most `limit`, until it has the keyboard; when
// the window manager does not oblige, raises it and gives it the focus
// directly. True only when the window has the keyboard at the end.
bool ActivateWindowById(Display* display, ::Window window,
                        std::chrono::milliseconds limit = std::chrono::milliseconds(1000));

// The window a title names: one with exactly this title, else the first
// from the top whose title begins with it, letters A-Z matched without
// regard to case. None when no window matches.
::Window FindWindowByTitle(const std::vector<TopLevelWindow>& windows, std::string_view title);

// Keeps an X error (a window closed while we look at it) from reaching the
// process-wide handler, which would end the program. Only the outermost of
// nested guards costs round trips; the inner ones are free.
class QuietXErrors {
 public:
  explicit QuietXErrors(Display* display);
  ~QuietXErrors();
  QuietXErrors(const QuietXErrors&) = delete;
  QuietXErrors& operator=(const QuietXErrors&) = delete;

 private:
  Display* display_;
  bool outermost_;
  int (*previous_)(Display*, XErrorEvent*) = nullptr;
};

}  // namespace quilor
