// Auto-fill on X11: the window list from the window manager's EWMH
// properties, activation through _NET_ACTIVE_WINDOW, typing through XTest.
//
// Which windows count as application windows (see ApplicationWindows):
//   visible or minimised       -> mapped, or WM_STATE Iconic / _NET_WM_STATE_HIDDEN
//   owned by another window    -> WM_TRANSIENT_FOR names a managed window (one with WM_STATE)
//   tool window                -> _NET_WM_WINDOW_TYPE utility, toolbar, dock, desktop,
//                                 menu, splash or notification
//   Z order from the top       -> _NET_CLIENT_LIST_STACKING, read backwards
#include <memory>
#include <utility>

#include "AutoFillDesktop.h"
#include "X11Windows.h"
#include "XTestKeySink.h"

namespace quilor {

namespace {

class X11AutoFillDesktop final : public AutoFillDesktop {
 public:
  X11AutoFillDesktop(Display* display, std::function<std::vector<WindowId>()> ownWindows)
      : display_(display), ownWindows_(std::move(ownWindows)) {}
  ~X11AutoFillDesktop() override { XCloseDisplay(display_); }
  X11AutoFillDesktop(const X11AutoFillDesktop&) = delete;
  X11AutoFillDesktop& operator=(const X11AutoFillDesktop&) = delete;

  std::vector<DesktopWindow> applicationWindows() override {
    std::vector<DesktopWindow> windows;
    for (TopLevelWindow& w : ApplicationWindows(display_, own())) {
      windows.push_back({w.id, std::move(w.title)});
    }
    return windows;
  }

  WindowId activateWindow(std::string_view title) override {
    const ::Window window = FindWindowByTitle(ApplicationWindows(display_, own()), title);
    if (window == None || !ActivateWindowById(display_, window)) return 0;
    return window;
  }

  std::unique_ptr<Keyboard> typeInto(WindowId target,
                                     std::function<void(EngineMessage)> showMessage) override {
    return std::make_unique<XTestKeySink>(
        display_, XTestKeySink::Options{static_cast<::Window>(target), std::move(showMessage)});
  }

 private:
  std::vector<::Window> own() const {
    const std::vector<WindowId> ids = ownWindows_();
    return {ids.begin(), ids.end()};
  }

  Display* display_;
  std::function<std::vector<WindowId>()> ownWindows_;
};

}  // namespace

std::unique_ptr<AutoFillDesktop> OpenAutoFillDesktop(
    std::function<std::vector<WindowId>()> ownWindows) {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return nullptr;
  if (!XTestKeySink::Available(display)) {
    XCloseDisplay(display);
    return nullptr;
  }
  return std::make_unique<X11AutoFillDesktop>(display, std::move(ownWindows));
}

}  // namespace quilor
