#pragma once

#include <X11/Xlib.h>

#include <functional>
#include <map>
#include <stdexcept>
#include <vector>

#include "KeySink.h"
#include "KeyboardMap.h"
#include "X11Windows.h"

namespace quilor {

// Typing stopped before the script's end, for a reason the user must hear:
// the target window lost the keyboard, or keys stayed held down.
class TypingStopped : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Types into whatever window has the keyboard, through the XTest extension,
// on the keyboard layout in use: each character goes to the key, group and
// level that make it. A symbol no key makes is put on a spare key for the
// run. While a run lasts, Caps Lock is off; afterwards the keyboard is as it
// was (Caps Lock, group, spare keys, no key left down).
class XTestKeySink final : public Keyboard {
 public:
  struct Options {
    // The window the keys are meant for; typing stops when another window
    // becomes active. None types into whatever has the keyboard.
    ::Window target = None;
    // Shows an engine message and returns when the user has closed it.
    std::function<void(EngineMessage)> showMessage;
  };

  // Waits (bounded) until the user holds no key, then takes over.
  // Throws TypingStopped when keys stay held.
  XTestKeySink(Display* display, Options options);
  ~XTestKeySink() override;
  XTestKeySink(const XTestKeySink&) = delete;
  XTestKeySink& operator=(const XTestKeySink&) = delete;

  // True when the server offers XTest.
  static bool Available(Display* display);

  std::optional<KeyStroke> strokeFor(char32_t character) override;

  void press(Key key) override;
  void release(Key key) override;
  void toggleNumLock() override;
  void showMessage(EngineMessage message) override;

 private:
  // A key the layout handed out: a place on the keyboard, or a symbol
  // that needs the spare key.
  struct LayoutEntry {
    KeyboardStroke stroke;
    KeySym spareSymbol = NoSymbol;
  };

  KeyboardStroke strokeOfKey(Key key);
  struct BoundSpare;
  KeyboardStroke spareStroke(KeySym symbol);
  const BoundSpare* boundSpareFor(KeySym symbol) const;
  void bindSpares(const std::vector<KeySym>& symbols);
  void fakeKey(KeyCode keycode, bool down);
  void lockGroup(int group);
  void ensureTargetActive();
  void waitForUserKeys();
  void releaseAllHeld();
  void restoreSpareKeys();

  Display* display_;
  // The target may close while we type; that ends the run, not the program.
  QuietXErrors quiet_;
  Options options_;
  KeyboardMap map_;
  std::vector<LayoutEntry> layoutEntries_;
  std::map<KeyCode, int> held_;  // keys we hold down, with press counts
  bool capsLockWasOn_ = false;
  int lockedGroup_;
  // Spare keys given a symbol in this run, in the order they were taken,
  // with the symbols they had before.
  struct BoundSpare {
    KeyCode keycode;
    KeySym symbol;
    std::vector<KeySym> original;
  };
  std::vector<BoundSpare> boundSpares_;
  std::size_t nextReused_ = 0;
  // Symbols the parsed script needs on spare keys, bound before its first key.
  std::vector<KeySym> pendingSpares_;
};

}  // namespace quilor
