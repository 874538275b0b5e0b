// Window foregrounding on X11 through the window manager's EWMH interface,
// and with what Qt offers where there is no X server (Wayland, offscreen).
//
// The attempts, in order; each one counts only once _NET_ACTIVE_WINDOW on the
// root names the window (or, without a window manager, once it has the input
// focus):
//   1. a minimised window (WM_STATE Iconic or _NET_WM_STATE_HIDDEN) is mapped
//      again, and so is its owner (WM_TRANSIENT_FOR, when that names a
//      managed window); a window that is active by then needs nothing more;
//   2. a _NET_ACTIVE_WINDOW client message with source 2, which the window
//      manager honours without its focus-stealing checks;
//   3. XRaiseWindow + XSetInputFocus, past the window manager;
//   4. the last resort: iconify, wait until the window manager has done it,
//      then XMapRaised.
// None of this changes a setting of the desktop, so nothing needs to be put
// back afterwards.
#include <QtGui/qguiapplication_platform.h>

#include <QGuiApplication>
#include <QWindow>
#include <chrono>
#include <functional>
#include <thread>

#include "ForegroundAttempts.h"
#include "WindowForeground.h"

// Xlib's macros (None, Bool, Status...) clash with Qt's names: after Qt.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace quilor {

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// The window manager answers an activation request within a few
// milliseconds; these bounds only keep a silent one from hanging the program.
constexpr auto kMapWait = 1000ms;
constexpr auto kActivationWait = 300ms;
constexpr auto kIconifyWait = 200ms;
constexpr auto kPollInterval = 5ms;

bool WaitFor(std::chrono::milliseconds limit, const std::function<bool()>& done) {
  const auto deadline = Clock::now() + limit;
  while (!done()) {
    if (Clock::now() >= deadline) return false;
    std::this_thread::sleep_for(kPollInterval);
  }
  return true;
}

// A window may vanish while we look at it; its BadWindow must not reach the
// process-wide handler, which would report it as a fault of the program.
class IgnoredXErrors {
 public:
  explicit IgnoredXErrors(Display* display) : display_(display) {
    XSync(display_, False);
    previous_ = XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
  }
  ~IgnoredXErrors() {
    XSync(display_, False);
    XSetErrorHandler(previous_);
  }
  IgnoredXErrors(const IgnoredXErrors&) = delete;
  IgnoredXErrors& operator=(const IgnoredXErrors&) = delete;

 private:
  Display* display_;
  XErrorHandler previous_ = nullptr;
};

class X11ForegroundOps final : public ForegroundOps {
 public:
  X11ForegroundOps(Display* display, ::Window window)
      : display_(display),
        window_(window),
        root_(DefaultRootWindow(display)),
        netActiveWindow_(XInternAtom(display, "_NET_ACTIVE_WINDOW", False)),
        netWmState_(XInternAtom(display, "_NET_WM_STATE", False)),
        netWmStateHidden_(XInternAtom(display, "_NET_WM_STATE_HIDDEN", False)),
        wmState_(XInternAtom(display, "WM_STATE", False)) {
    // A window shown a moment ago is mapped by the window manager a little
    // later; requests made before that are dropped.
    WaitFor(kMapWait, [this] { return isViewable(window_) || wmStateOf(window_) == IconicState; });
    owner_ = managedOwner();
  }

  bool hasOwner() override { return owner_ != None; }

  bool isMinimised(Which which) override {
    const ::Window w = pick(which);
    return wmStateOf(w) == IconicState || hasNetWmState(w, netWmStateHidden_);
  }

  void restore(Which which) override {
    // Mapping an iconic window asks the window manager to restore it.
    XMapWindow(display_, pick(which));
    XSync(display_, False);
    WaitFor(kIconifyWait, [this, which] { return !isMinimised(which); });
  }

  bool isForeground() override { return activeWindow() == window_; }

  bool activateViaWindowManager() override {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window_;
    event.xclient.message_type = netActiveWindow_;
    event.xclient.format = 32;
    event.xclient.data.l[0] = 2;  // source: a pager acting for the user
    event.xclient.data.l[1] = CurrentTime;
    event.xclient.data.l[2] = static_cast<long>(activeWindow());
    XSendEvent(display_, root_, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
    return awaitForeground();
  }

  bool focusAndRaise() override {
    if (!isViewable(window_)) return false;  // the focus cannot go to an unmapped window
    XRaiseWindow(display_, window_);
    XSetInputFocus(display_, window_, RevertToParent, CurrentTime);
    return awaitForeground();
  }

  bool minimiseAndRestore() override {
    XIconifyWindow(display_, window_, DefaultScreen(display_));
    XSync(display_, False);
    WaitFor(kIconifyWait, [this] { return isMinimised(Which::Window); });
    if (hasOwner() && isMinimised(Which::Owner)) XMapRaised(display_, owner_);
    XMapRaised(display_, window_);
    return awaitForeground();
  }

 private:
  ::Window pick(Which which) const { return which == Which::Owner ? owner_ : window_; }

  bool awaitForeground() {
    XSync(display_, False);
    return WaitFor(kActivationWait, [this] { return isForeground(); });
  }

  bool isViewable(::Window w) {
    XWindowAttributes attributes{};
    return XGetWindowAttributes(display_, w, &attributes) != 0 &&
           attributes.map_state == IsViewable;
  }

  // Qt makes a parentless dialog transient for its hidden group leader;
  // only a window the window manager manages (it has WM_STATE) is an owner.
  ::Window managedOwner() {
    ::Window owner = None;
    if (XGetTransientForHint(display_, window_, &owner) == 0) return None;
    if (owner == None || owner == root_ || wmStateOf(owner) < 0) return None;
    return owner;
  }

  // ICCCM WM_STATE of a window, or -1 when it has none.
  long wmStateOf(::Window w) {
    long state = -1;
    readLongs(w, wmState_, wmState_, [&state](const long* values, unsigned long count) {
      if (count > 0) state = values[0];
    });
    return state;
  }

  bool hasNetWmState(::Window w, Atom flag) {
    bool found = false;
    readLongs(w, netWmState_, XA_ATOM, [&](const long* values, unsigned long count) {
      for (unsigned long i = 0; i < count; ++i)
        found = found || static_cast<Atom>(values[i]) == flag;
    });
    return found;
  }

  // The window the user works in: the window manager's _NET_ACTIVE_WINDOW,
  // or the input focus when no EWMH window manager runs.
  ::Window activeWindow() {
    ::Window active = None;
    bool announced = false;
    readLongs(root_, netActiveWindow_, XA_WINDOW, [&](const long* values, unsigned long count) {
      announced = true;
      if (count > 0) active = static_cast<::Window>(values[0]);
    });
    if (announced) return active;
    int revert = 0;
    XGetInputFocus(display_, &active, &revert);
    return active;
  }

  // Reads a 32-bit property; Xlib hands such values over as longs.
  void readLongs(::Window w, Atom property, Atom type,
                 const std::function<void(const long*, unsigned long)>& use) {
    Atom actualType = None;
    int actualFormat = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    const int status = XGetWindowProperty(display_, w, property, 0, 1024, False, type, &actualType,
                                          &actualFormat, &count, &remaining, &data);
    if (status == Success && actualType == type && actualFormat == 32 && data != nullptr) {
      use(reinterpret_cast<const long*>(data), count);
    }
    if (data != nullptr) XFree(data);
  }

  Display* display_;
  ::Window window_;
  ::Window root_;
  ::Window owner_ = None;
  Atom netActiveWindow_;
  Atom netWmState_;
  Atom netWmStateHidden_;
  Atom wmState_;
};

// Without an X server Qt's own request is all there is.
bool ForceWithQt(QWindow* window) {
  if (window->windowStates() & Qt::WindowMinimized) window->showNormal();
  window->raise();
  window->requestActivate();
  return window->isActive();
}

}  // namespace

bool ForceToForeground(QWindow* window) {
  if (window == nullptr) return false;
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  Display* display = x11 != nullptr ? x11->display() : nullptr;
  if (display == nullptr) return ForceWithQt(window);

  const IgnoredXErrors quiet(display);
  X11ForegroundOps ops(display, static_cast<::Window>(window->winId()));
  return RunForegroundAttempts(ops);
}

}  // namespace quilor
