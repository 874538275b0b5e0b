#pragma once

// Which keys and modifier sets make up Ctrl+Alt+D on the keyboard the X
// server has right now. Pure: it works on copies of the server's tables, so
// the rules can be checked without a display.

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace quilor {

// The core keyboard mapping: `perKeycode` keysyms for each keycode from
// `firstKeycode` on, group 1 in columns 0-1, group 2 in columns 2-3, ...
struct KeysymTable {
  std::uint8_t firstKeycode = 8;
  std::uint8_t perKeycode = 0;
  std::vector<std::uint32_t> keysyms;

  std::uint32_t at(std::uint8_t keycode, int column) const;
  int keycodeCount() const;
};

// The core modifier mapping: for Shift, Lock, Control, Mod1..Mod5 in turn,
// `perModifier` keycodes (0 where unused).
struct ModifierTable {
  std::uint8_t perModifier = 0;
  std::vector<std::uint8_t> keycodes;
};

// The keys that type `letter` (a lower-case Latin keysym) on the first
// group; where the first group lacks it (a Cyrillic or Greek layout first),
// the keys that carry it on any other group, as the key's label then names it.
std::vector<std::uint8_t> KeycodesOf(std::uint32_t letter, const KeysymTable& keys);

// The modifier bit that a key producing any of `keysyms` sets, or 0 when no
// such key sits in the modifier map.
std::uint16_t ModifierBitOf(std::initializer_list<std::uint32_t> keysyms, const KeysymTable& keys,
                            const ModifierTable& modifiers);

// Every modifier state in which `required` counts as pressed: the locks
// (Caps Lock, Num Lock) the user may have on must not hide the combination.
std::vector<std::uint16_t> StatesWithLocks(std::uint16_t required, std::uint16_t capsLock,
                                           std::uint16_t numLock);

}  // namespace quilor
