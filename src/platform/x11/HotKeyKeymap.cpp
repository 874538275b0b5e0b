#include "HotKeyKeymap.h"

#include <algorithm>

namespace quilor {

namespace {

// Core keysyms of Latin letters: lower case 0x61-0x7a, upper case 0x20 less.
std::uint32_t UpperOf(std::uint32_t letter) { return letter - 0x20; }

bool Types(std::uint32_t keysym, std::uint32_t letter) {
  return keysym == letter || keysym == UpperOf(letter);
}

}  // namespace

std::uint32_t KeysymTable::at(std::uint8_t keycode, int column) const {
  if (keycode < firstKeycode || column >= perKeycode) return 0;
  const std::size_t index = std::size_t(keycode - firstKeycode) * perKeycode + column;
  return index < keysyms.size() ? keysyms[index] : 0;
}

int KeysymTable::keycodeCount() const {
  return perKeycode == 0 ? 0 : static_cast<int>(keysyms.size() / perKeycode);
}

std::vector<std::uint8_t> KeycodesOf(std::uint32_t letter, const KeysymTable& keys) {
  std::vector<std::uint8_t> firstGroup, otherGroups;
  for (int i = 0; i < keys.keycodeCount(); ++i) {
    const auto keycode = static_cast<std::uint8_t>(keys.firstKeycode + i);
    for (int column = 0; column < keys.perKeycode; ++column) {
      if (!Types(keys.at(keycode, column), letter)) continue;
      (column < 2 ? firstGroup : otherGroups).push_back(keycode);
      break;
    }
  }
  return firstGroup.empty() ? otherGroups : firstGroup;
}

std::uint16_t ModifierBitOf(std::initializer_list<std::uint32_t> keysyms, const KeysymTable& keys,
                            const ModifierTable& modifiers) {
  for (std::size_t i = 0; i < modifiers.keycodes.size(); ++i) {
    const std::uint8_t keycode = modifiers.keycodes[i];
    if (keycode == 0 || modifiers.perModifier == 0) continue;
    for (int column = 0; column < keys.perKeycode; ++column) {
      const std::uint32_t keysym = keys.at(keycode, column);
      if (std::find(keysyms.begin(), keysyms.end(), keysym) != keysyms.end()) {
        return static_cast<std::uint16_t>(1u << (i / modifiers.perModifier));
      }
    }
  }
  return 0;
}

std::vector<std::uint16_t> StatesWithLocks(std::uint16_t required, std::uint16_t capsLock,
                                           std::uint16_t numLock) {
  std::vector<std::uint16_t> states;
  for (const std::uint16_t locks :
       {std::uint16_t(0), capsLock, numLock, std::uint16_t(capsLock | numLock)}) {
    const auto state = static_cast<std::uint16_t>(required | locks);
    if (std::find(states.begin(), states.end(), state) == states.end()) states.push_back(state);
  }
  return states;
}

}  // namespace quilor
