#include "XTestKeySink.h"

#include <X11/XKBlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <chrono>
#include <thread>

#include "KeysymCharacters.h"
#include "X11Windows.h"

namespace quilor {

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// A client reads the key mapping anew when it handles the notice of a
// change, which may be well after the keys before it were sent, and
// rebuilding its keymap takes it a while: a key given another symbol while
// the target still works through earlier events would type the new symbol
// in their place. So the symbols a script needs are put on spare keys of
// their own before its first key, with time for the target to take them in,
// and the keys are given back only after a pause.
constexpr auto kSettlePerRemap = 25ms;
constexpr auto kRestoreSettle = 200ms;
constexpr auto kHeldKeysWait = 5s;
constexpr auto kHeldKeysPoll = 10ms;

// What the user reads when typing stops early.
constexpr const char* kFocusLost = "Hedef pencere klavye odağını kaybettiği için yazma durduruldu.";
constexpr const char* kKeysHeld = "Basılı tutulan tuşlar bırakılmadığı için yazma durduruldu.";

// The X symbols of the named keys, by the virtual-key number the script
// language gives them.
KeySym KeysymOfVirtualKey(std::uint32_t vk) {
  if (vk >= 112 && vk <= 127) return XK_F1 + (vk - 112);
  switch (vk) {
    case 3:
      return XK_Break;
    case 8:
      return XK_BackSpace;
    case 9:
      return XK_Tab;
    case 12:
      return XK_Clear;
    case 13:
      return XK_Return;
    case 20:
      return XK_Caps_Lock;
    case 27:
      return XK_Escape;
    case 33:
      return XK_Prior;
    case 34:
      return XK_Next;
    case 35:
      return XK_End;
    case 36:
      return XK_Home;
    case 37:
      return XK_Left;
    case 38:
      return XK_Up;
    case 39:
      return XK_Right;
    case 40:
      return XK_Down;
    case 42:
      return XK_Print;
    case 45:
      return XK_Insert;
    case 46:
      return XK_Delete;
    case 47:
      return XK_Help;
    case 110:
      return XK_KP_Decimal;
    case 144:
      return XK_Num_Lock;
    case 145:
      return XK_Scroll_Lock;
    default:
      return NoSymbol;
  }
}

KeySym KeysymOfModifier(Modifier m) {
  switch (m) {
    case Modifier::Shift:
      return XK_Shift_L;
    case Modifier::Control:
      return XK_Control_L;
    case Modifier::Alt:
      return XK_Alt_L;
    case Modifier::AltGr:
      return XK_ISO_Level3_Shift;
  }
  return NoSymbol;
}

bool CapsLockOn(Display* display) {
  XkbStateRec state{};
  return XkbGetState(display, XkbUseCoreKbd, &state) == Success && (state.locked_mods & LockMask);
}

}  // namespace

bool XTestKeySink::Available(Display* display) {
  int event = 0, error = 0, major = 0, minor = 0;
  return XTestQueryExtension(display, &event, &error, &major, &minor) != 0;
}

XTestKeySink::XTestKeySink(Display* display, Options options)
    : display_(display), quiet_(display), options_(std::move(options)), map_(display) {
  lockedGroup_ = map_.currentGroup();
  waitForUserKeys();
  // With Caps Lock on, letters would come out in the other case.
  capsLockWasOn_ = CapsLockOn(display_);
  if (capsLockWasOn_) {
    XkbLockModifiers(display_, XkbUseCoreKbd, LockMask, 0);
    XSync(display_, False);
  }
}

XTestKeySink::~XTestKeySink() {
  releaseAllHeld();
  restoreSpareKeys();
  lockGroup(map_.currentGroup());
  XkbLockModifiers(display_, XkbUseCoreKbd, LockMask, capsLockWasOn_ ? LockMask : 0);
  XSync(display_, False);
}

std::optional<KeyStroke> XTestKeySink::strokeFor(char32_t character) {
  // Control characters other than the tab, and the replacement for bytes
  // the code page leaves undefined, type nothing.
  if ((character < U' ' && character != U'\t') || character == 0x7F || character == 0xFFFD) {
    return std::nullopt;
  }
  LayoutEntry entry;
  std::uint8_t shiftState = 0;
  if (const std::optional<KeyboardStroke> stroke = map_.forCharacter(character)) {
    entry.stroke = *stroke;
    if (stroke->mods & ShiftMask) shiftState |= shift_state::kShift;
    if (stroke->mods & map_.levelThreeMask()) shiftState |= shift_state::kAltGr;
  } else if (!map_.spareKeys().empty()) {
    entry.spareSymbol = KeysymOfCharacter(character);
    pendingSpares_.push_back(entry.spareSymbol);
  } else {
    return std::nullopt;
  }
  layoutEntries_.push_back(entry);
  return KeyStroke{{Key::Kind::Layout, static_cast<std::uint32_t>(layoutEntries_.size() - 1)},
                   shiftState};
}

KeyboardStroke XTestKeySink::strokeOfKey(Key key) {
  switch (key.kind) {
    case Key::Kind::Modifier: {
      const auto modifier = static_cast<Modifier>(key.code);
      if (modifier == Modifier::AltGr) return {map_.levelThreeKey(), map_.currentGroup(), 0};
      return map_.forKeysym(KeysymOfModifier(modifier)).value_or(KeyboardStroke{});
    }
    case Key::Kind::Named: {
      const KeySym symbol = KeysymOfVirtualKey(key.code);
      const std::optional<KeyboardStroke> stroke = map_.forKeysym(symbol);
      // A named key carries no modifiers: one that needs any goes on the spare key.
      if (stroke && stroke->mods == 0) return *stroke;
      return symbol == NoSymbol ? KeyboardStroke{} : spareStroke(symbol);
    }
    case Key::Kind::Layout: {
      const LayoutEntry& entry = layoutEntries_.at(key.code);
      return entry.spareSymbol == NoSymbol ? entry.stroke : spareStroke(entry.spareSymbol);
    }
  }
  return {};
}

KeyboardStroke XTestKeySink::spareStroke(KeySym symbol) {
  if (const BoundSpare* bound = boundSpareFor(symbol))
    return {bound->keycode, map_.currentGroup(), 0};
  bindSpares({symbol});
  const BoundSpare* bound = boundSpareFor(symbol);
  return bound != nullptr ? KeyboardStroke{bound->keycode, map_.currentGroup(), 0}
                          : KeyboardStroke{};
}

const XTestKeySink::BoundSpare* XTestKeySink::boundSpareFor(KeySym symbol) const {
  for (const BoundSpare& bound : boundSpares_) {
    if (bound.symbol == symbol) return &bound;
  }
  return nullptr;
}

void XTestKeySink::bindSpares(const std::vector<KeySym>& symbols) {
  const std::vector<KeyCode>& spares = map_.spareKeys();
  int changes = 0;
  for (const KeySym symbol : symbols) {
    if (boundSpareFor(symbol) != nullptr || spares.empty()) continue;
    BoundSpare* slot = nullptr;
    if (boundSpares_.size() < spares.size()) {
      const KeyCode keycode = spares[boundSpares_.size()];
      int perKey = 0;
      KeySym* original = XGetKeyboardMapping(display_, keycode, 1, &perKey);
      boundSpares_.push_back({keycode, NoSymbol, std::vector<KeySym>(original, original + perKey)});
      XFree(original);
      slot = &boundSpares_.back();
    } else {
      // More symbols than spare keys: the oldest binding makes room, once
      // the target has had time for the keys typed with it.
      slot = &boundSpares_[nextReused_++ % boundSpares_.size()];
      std::this_thread::sleep_for(kRestoreSettle);
    }
    // Both levels, so that a held Shift does not change what it types.
    KeySym both[2] = {symbol, symbol};
    XChangeKeyboardMapping(display_, slot->keycode, 2, both, 1);
    slot->symbol = symbol;
    ++changes;
  }
  XSync(display_, False);
  std::this_thread::sleep_for(changes * kSettlePerRemap);
}

void XTestKeySink::restoreSpareKeys() {
  if (boundSpares_.empty()) return;
  std::this_thread::sleep_for(kRestoreSettle);
  for (BoundSpare& bound : boundSpares_) {
    XChangeKeyboardMapping(display_, bound.keycode, static_cast<int>(bound.original.size()),
                           bound.original.data(), 1);
  }
  XSync(display_, False);
  boundSpares_.clear();
}

void XTestKeySink::press(Key key) {
  ensureTargetActive();
  if (!pendingSpares_.empty()) {
    bindSpares(pendingSpares_);
    pendingSpares_.clear();
  }
  const KeyboardStroke stroke = strokeOfKey(key);
  if (stroke.keycode == 0) return;
  if (key.kind == Key::Kind::Layout && map_.needsGroupSwitch(stroke)) lockGroup(stroke.group);
  fakeKey(stroke.keycode, true);
}

void XTestKeySink::release(Key key) {
  const KeyboardStroke stroke = strokeOfKey(key);
  if (stroke.keycode == 0) return;
  fakeKey(stroke.keycode, false);
  if (lockedGroup_ != map_.currentGroup()) lockGroup(map_.currentGroup());
}

void XTestKeySink::toggleNumLock() {
  ensureTargetActive();
  const std::optional<KeyboardStroke> numLock = map_.forKeysym(XK_Num_Lock);
  if (!numLock) return;
  fakeKey(numLock->keycode, true);
  fakeKey(numLock->keycode, false);
}

void XTestKeySink::showMessage(EngineMessage message) {
  // The user answers the message with the keyboard or the mouse; nothing
  // we hold may change what that does. Held modifiers go down again after.
  const std::map<KeyCode, int> held = held_;
  releaseAllHeld();
  if (options_.showMessage) options_.showMessage(message);
  if (options_.target != None && !ActivateWindowById(display_, options_.target)) {
    throw TypingStopped(kFocusLost);
  }
  waitForUserKeys();
  for (const auto& [keycode, count] : held) fakeKey(keycode, true);
}

void XTestKeySink::fakeKey(KeyCode keycode, bool down) {
  if (down) {
    ++held_[keycode];
  } else if (const auto it = held_.find(keycode); it != held_.end()) {
    if (--it->second == 0) held_.erase(it);
  }
  XTestFakeKeyEvent(display_, keycode, down ? True : False, CurrentTime);
  // Every event reaches the server before the next one is made, so none
  // is merged or dropped on the way.
  XSync(display_, False);
}

void XTestKeySink::lockGroup(int group) {
  if (group == lockedGroup_) return;
  XkbLockGroup(display_, XkbUseCoreKbd, static_cast<unsigned int>(group));
  XSync(display_, False);
  lockedGroup_ = group;
}

void XTestKeySink::ensureTargetActive() {
  if (options_.target != None && !HasKeyboard(display_, options_.target)) {
    throw TypingStopped(kFocusLost);
  }
}

void XTestKeySink::waitForUserKeys() {
  const auto deadline = Clock::now() + kHeldKeysWait;
  for (;;) {
    char keys[32] = {};
    XQueryKeymap(display_, keys);
    bool userHoldsKey = false;
    for (int code = 0; code < 256 && !userHoldsKey; ++code) {
      const bool down = (keys[code / 8] >> (code % 8)) & 1;
      userHoldsKey = down && !held_.contains(static_cast<KeyCode>(code));
    }
    if (!userHoldsKey) return;
    if (Clock::now() >= deadline) throw TypingStopped(kKeysHeld);
    std::this_thread::sleep_for(kHeldKeysPoll);
  }
}

void XTestKeySink::releaseAllHeld() {
  while (!held_.empty()) {
    const KeyCode keycode = held_.begin()->first;
    held_.erase(held_.begin());
    XTestFakeKeyEvent(display_, keycode, False, CurrentTime);
  }
  XSync(display_, False);
}

}  // namespace quilor
