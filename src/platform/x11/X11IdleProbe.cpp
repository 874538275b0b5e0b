// System-wide idle time from the MIT-SCREEN-SAVER extension: the server's
// own count of milliseconds since the last keyboard or mouse event, from any
// client, synthetic input included.
#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>

#include <algorithm>
#include <limits>

#include "X11Bindings.h"

namespace quilor {

namespace {

class X11IdleProbe final : public IdleProbe {
 public:
  X11IdleProbe(Display* display, XScreenSaverInfo* info) : display_(display), info_(info) {}
  ~X11IdleProbe() override { XFree(info_); }
  X11IdleProbe(const X11IdleProbe&) = delete;
  X11IdleProbe& operator=(const X11IdleProbe&) = delete;

  bool available() const override { return true; }

  std::uint32_t idleMilliseconds() override {
    if (XScreenSaverQueryInfo(display_, DefaultRootWindow(display_), info_) == 0) return 0;
    // After 49 days the count would wrap to "just touched"; it stays at the top instead.
    constexpr unsigned long kMost = std::numeric_limits<std::uint32_t>::max();
    return static_cast<std::uint32_t>(std::min(info_->idle, kMost));
  }

 private:
  Display* display_;
  XScreenSaverInfo* info_;
};

}  // namespace

std::unique_ptr<IdleProbe> MakeX11IdleProbe(Display* display) {
  int eventBase = 0, errorBase = 0;
  if (XScreenSaverQueryExtension(display, &eventBase, &errorBase) == 0) return nullptr;
  XScreenSaverInfo* info = XScreenSaverAllocInfo();
  if (info == nullptr) return nullptr;
  return std::make_unique<X11IdleProbe>(display, info);
}

}  // namespace quilor
