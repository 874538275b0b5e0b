#include "X11Windows.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <functional>
#include <thread>

namespace quilor {

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kPollInterval = std::chrono::milliseconds(5);
constexpr auto kDirectFocusWait = std::chrono::milliseconds(300);

bool WaitUntil(std::chrono::milliseconds limit, const std::function<bool()>& done) {
  const auto deadline = Clock::now() + limit;
  while (!done()) {
    if (Clock::now() >= deadline) return false;
    std::this_thread::sleep_for(kPollInterval);
  }
  return true;
}

Atom Intern(Display* display, const char* name) { return XInternAtom(display, name, False); }

// Reads a property; `use` sees its items when it has the type and format asked for.
void ReadProperty(Display* display, ::Window w, Atom property, Atom type, int format,
                  const std::function<void(const unsigned char*, unsigned long)>& use) {
  Atom actualType = None;
  int actualFormat = 0;
  unsigned long count = 0, remaining = 0;
  unsigned char* data = nullptr;
  const int status = XGetWindowProperty(display, w, property, 0, 65536, False, type, &actualType,
                                        &actualFormat, &count, &remaining, &data);
  if (status == Success && data != nullptr && actualType == type && actualFormat == format) {
    use(data, count);
  }
  if (data != nullptr) XFree(data);
}

// 32-bit items come as longs from Xlib.
std::vector<unsigned long> ReadLongs(Display* display, ::Window w, Atom property, Atom type) {
  std::vector<unsigned long> values;
  ReadProperty(display, w, property, type, 32, [&](const unsigned char* data, unsigned long n) {
    const auto* longs = reinterpret_cast<const unsigned long*>(data);
    values.assign(longs, longs + n);
  });
  return values;
}

std::string ReadText(Display* display, ::Window w, Atom property, Atom type) {
  std::string text;
  ReadProperty(display, w, property, type, 8, [&](const unsigned char* data, unsigned long n) {
    text.assign(reinterpret_cast<const char*>(data), n);
  });
  return text;
}

// _NET_WM_NAME is UTF-8; older programs only set WM_NAME.
std::string TitleOf(Display* display, ::Window w) {
  std::string title =
      ReadText(display, w, Intern(display, "_NET_WM_NAME"), Intern(display, "UTF8_STRING"));
  if (!title.empty()) return title;
  XTextProperty property{};
  if (XGetWMName(display, w, &property) == 0 || property.value == nullptr) return title;
  char** list = nullptr;
  int count = 0;
  if (Xutf8TextPropertyToTextList(display, &property, &list, &count) == Success && count > 0) {
    title = list[0];
  }
  if (list != nullptr) XFreeStringList(list);
  XFree(property.value);
  return title;
}

bool HasAtom(const std::vector<unsigned long>& atoms, Atom atom) {
  return std::find(atoms.begin(), atoms.end(), atom) != atoms.end();
}

bool IsShownOrMinimised(Display* display, ::Window w) {
  XWindowAttributes attributes{};
  if (XGetWindowAttributes(display, w, &attributes) == 0) return false;
  if (attributes.map_state == IsViewable) return true;
  const Atom wmState = Intern(display, "WM_STATE");
  const std::vector<unsigned long> state = ReadLongs(display, w, wmState, wmState);
  if (!state.empty() && state[0] == IconicState) return true;
  return HasAtom(ReadLongs(display, w, Intern(display, "_NET_WM_STATE"), XA_ATOM),
                 Intern(display, "_NET_WM_STATE_HIDDEN"));
}

// Toolkits make a parentless dialog transient for a hidden group leader
// (or the root); only a window the window manager manages (one with
// WM_STATE) is a real owner.
bool HasOwner(Display* display, ::Window w) {
  ::Window owner = None;
  if (XGetTransientForHint(display, w, &owner) == 0) return false;
  if (owner == None || owner == DefaultRootWindow(display)) return false;
  const Atom wmState = Intern(display, "WM_STATE");
  return !ReadLongs(display, owner, wmState, wmState).empty();
}

bool IsToolLike(Display* display, ::Window w) {
  const std::vector<unsigned long> types =
      ReadLongs(display, w, Intern(display, "_NET_WM_WINDOW_TYPE"), XA_ATOM);
  for (const char* name :
       {"_NET_WM_WINDOW_TYPE_UTILITY", "_NET_WM_WINDOW_TYPE_TOOLBAR", "_NET_WM_WINDOW_TYPE_DOCK",
        "_NET_WM_WINDOW_TYPE_DESKTOP", "_NET_WM_WINDOW_TYPE_MENU", "_NET_WM_WINDOW_TYPE_SPLASH",
        "_NET_WM_WINDOW_TYPE_NOTIFICATION"}) {
    if (HasAtom(types, Intern(display, name))) return true;
  }
  return false;
}

char FoldAsciiLetter(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

bool StartsWithIgnoringAsciiCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (FoldAsciiLetter(text[i]) != FoldAsciiLetter(prefix[i])) return false;
  }
  return true;
}

}  // namespace

std::vector<TopLevelWindow> ApplicationWindows(Display* display,
                                               const std::vector<::Window>& excluded) {
  const QuietXErrors quiet(display);
  const ::Window root = DefaultRootWindow(display);
  // Bottom to top; the user sees the list from the top.
  std::vector<unsigned long> stacking =
      ReadLongs(display, root, Intern(display, "_NET_CLIENT_LIST_STACKING"), XA_WINDOW);
  std::reverse(stacking.begin(), stacking.end());
  std::vector<TopLevelWindow> windows;
  for (const unsigned long id : stacking) {
    const auto w = static_cast<::Window>(id);
    if (std::find(excluded.begin(), excluded.end(), w) != excluded.end()) continue;
    if (!IsShownOrMinimised(display, w) || HasOwner(display, w) || IsToolLike(display, w)) continue;
    windows.push_back({w, TitleOf(display, w)});
  }
  return windows;
}

::Window ActiveWindow(Display* display) {
  const ::Window root = DefaultRootWindow(display);
  const Atom property = Intern(display, "_NET_ACTIVE_WINDOW");
  bool announced = false;
  ::Window active = None;
  ReadProperty(display, root, property, XA_WINDOW, 32,
               [&](const unsigned char* data, unsigned long n) {
                 announced = true;
                 if (n > 0) active = static_cast<::Window>(*reinterpret_cast<const long*>(data));
               });
  if (announced) return active;
  int revert = 0;
  XGetInputFocus(display, &active, &revert);
  return active;
}

bool HasKeyboard(Display* display, ::Window window) {
  const QuietXErrors quiet(display);
  if (ActiveWindow(display) != window) return false;
  ::Window focus = None;
  int revert = 0;
  XGetInputFocus(display, &focus, &revert);
  // The focus may sit in a child of the window.
  while (focus != None && focus != PointerRoot) {
    if (focus == window) return true;
    ::Window root = None, parent = None;
    ::Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display, focus, &root, &parent, &children, &count) == 0) return false;
    if (children != nullptr) XFree(children);
    if (focus == root) return false;
    focus = parent;
  }
  return false;
}

bool ActivateWindowById(Display* display, ::Window window, std::chrono::milliseconds limit) {
  const QuietXErrors quiet(display);
  if (HasKeyboard(display, window)) return true;
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = Intern(display, "_NET_ACTIVE_WINDOW");
  event.xclient.format = 32;
  // Source 2: a pager acting for the user, which focus-stealing prevention lets through.
  event.xclient.data.l[0] = 2;
  event.xclient.data.l[1] = CurrentTime;
  event.xclient.data.l[2] = static_cast<long>(ActiveWindow(display));
  XSendEvent(display, DefaultRootWindow(display), False,
             SubstructureRedirectMask | SubstructureNotifyMask, &event);
  XSync(display, False);
  if (WaitUntil(limit, [&] { return HasKeyboard(display, window); })) return true;

  XWindowAttributes attributes{};
  if (XGetWindowAttributes(display, window, &attributes) == 0) return false;
  if (attributes.map_state != IsViewable) return false;
  XRaiseWindow(display, window);
  XSetInputFocus(display, window, RevertToParent, CurrentTime);
  XSync(display, False);
  return WaitUntil(kDirectFocusWait, [&] { return HasKeyboard(display, window); });
}

::Window FindWindowByTitle(const std::vector<TopLevelWindow>& windows, std::string_view title) {
  for (const TopLevelWindow& w : windows) {
    if (w.title == title) return w.id;
  }
  for (const TopLevelWindow& w : windows) {
    if (StartsWithIgnoringAsciiCase(w.title, title)) return w.id;
  }
  return None;
}

namespace {
int quietDepth = 0;  // X calls are made from the user-interface thread only
}  // namespace

QuietXErrors::QuietXErrors(Display* display) : display_(display), outermost_(quietDepth++ == 0) {
  if (!outermost_) return;
  XSync(display_, False);
  previous_ = XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
}

QuietXErrors::~QuietXErrors() {
  --quietDepth;
  if (!outermost_) return;
  XSync(display_, False);
  XSetErrorHandler(previous_);
}

}  // namespace quilor
