#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "KeySink.h"

namespace quilor {

using WindowId = unsigned long;

struct DesktopWindow {
  WindowId id = 0;
  std::string title;  // UTF-8; may be empty
};

// What auto-fill needs of the desktop: the windows a user works in, bringing
// one of them to the front, and a keyboard that types into it.
class AutoFillDesktop {
 public:
  virtual ~AutoFillDesktop() = default;

  // Application windows, top of the stack first, without our own.
  virtual std::vector<DesktopWindow> applicationWindows() = 0;

  // Brings the window with this title (or, when none has it exactly, the
  // first whose title begins with it) to the front. Returns the window
  // once it is really active; 0 when none matches or it did not become active.
  virtual WindowId activateWindow(std::string_view title) = 0;

  // A keyboard typing into `target`. It stops (throwing) when another
  // window takes the keyboard, and after a message it brings the target
  // back before it goes on. The keyboard is as before once it is destroyed.
  virtual std::unique_ptr<Keyboard> typeInto(WindowId target,
                                             std::function<void(EngineMessage)> showMessage) = 0;
};

// The desktop of this session; nullptr when there is no X server with the
// XTest extension to type through. ownWindows names our own windows at the
// moment it is asked; they are left out of every list and search.
std::unique_ptr<AutoFillDesktop> OpenAutoFillDesktop(
    std::function<std::vector<WindowId>()> ownWindows);

}  // namespace quilor
