#pragma once

#include <X11/Xlib.h>

#include <map>
#include <optional>
#include <vector>

namespace quilor {

// A key of the keyboard and what has to be held for it to give one symbol.
struct KeyboardStroke {
  KeyCode keycode = 0;
  int group = 0;          // the layout group the symbol sits in
  unsigned int mods = 0;  // ShiftMask and/or KeyboardMap::levelThreeMask()
};

// Where each symbol sits on the keyboard mapping the X server uses now:
// every key, every group (layout) and every level that Shift and the
// third-level shift (AltGr) reach. Read once per typing run.
class KeyboardMap {
 public:
  explicit KeyboardMap(Display* display);

  // The cheapest stroke for a character, compared by code point: no group
  // switch before one, fewer modifiers before more.
  std::optional<KeyboardStroke> forCharacter(char32_t character) const;
  // The same for a function key such as Tab or Home.
  std::optional<KeyboardStroke> forKeysym(KeySym keysym) const;

  // The key that shifts to the third level, and the modifier it sets; 0
  // when the mapping has none (levels three and four are then out of reach).
  KeyCode levelThreeKey() const { return levelThreeKey_; }
  unsigned int levelThreeMask() const { return levelThreeMask_; }

  // The group in use, and whether a key typed in another group needs a switch.
  int currentGroup() const { return currentGroup_; }
  bool needsGroupSwitch(const KeyboardStroke& stroke) const;

  // Keys with no symbols at all, free to be given one for a moment.
  const std::vector<KeyCode>& spareKeys() const { return spareKeys_; }

 private:
  struct Candidate {
    KeyboardStroke stroke;
    int cost;
  };
  void offer(std::map<unsigned long, Candidate>& into, unsigned long symbol, const Candidate& c);

  std::map<unsigned long, Candidate> byCharacter_;
  std::map<unsigned long, Candidate> byKeysym_;
  std::map<KeyCode, int> effectiveGroup_;  // the group each key types in now
  KeyCode levelThreeKey_ = 0;
  unsigned int levelThreeMask_ = 0;
  std::vector<KeyCode> spareKeys_;
  int currentGroup_ = 0;
};

}  // namespace quilor
