// Finding Ctrl+Alt+D on the keyboards users have: the letter's key on the
// first layout or, failing that, on another one, the locks' modifier bits
// wherever the server put them, and one press told from a held key's repeats.
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "HotKeyKeymap.h"
#include "HotKeyPresses.h"

namespace quilor {
namespace {

// A keyboard of four keysyms per key (two groups), keycodes 8-63, with the
// given keys filled in.
KeysymTable Keyboard(const std::map<int, std::vector<std::uint32_t>>& keys) {
  KeysymTable table;
  table.firstKeycode = 8;
  table.perKeycode = 4;
  table.keysyms.assign(56 * 4, 0);
  for (const auto& [keycode, keysyms] : keys) {
    for (std::size_t column = 0; column < keysyms.size(); ++column) {
      table.keysyms[(keycode - 8) * 4 + column] = keysyms[column];
    }
  }
  return table;
}

TEST(HotKeyKeymap, FindsTheKeyThatTypesTheLetter) {
  struct Case {
    const char* layout;
    std::map<int, std::vector<std::uint32_t>> keys;
    std::vector<std::uint8_t> expected;
  };
  const Case cases[] = {
      {"us", {{40, {XK_d, XK_D}}, {26, {XK_e, XK_E}}}, {40}},
      {"tr f moves d", {{29, {XK_d, XK_D}}, {40, {XK_idotless, XK_I}}}, {29}},
      {"upper case only", {{40, {XK_D}}}, {40}},
      {"ru,us: only the second group has it",
       {{40, {XK_Cyrillic_ve, XK_Cyrillic_VE, XK_d, XK_D}}},
       {40}},
      {"tr f,us: the first group wins",
       {{29, {XK_d, XK_D, XK_o, XK_O}}, {40, {XK_idotless, XK_I, XK_d, XK_D}}},
       {29}},
      {"no such key", {{26, {XK_e, XK_E}}}, {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(KeycodesOf(XK_d, Keyboard(c.keys)), c.expected) << c.layout;
  }
}

TEST(HotKeyKeymap, NumLockBitComesFromTheModifierMap) {
  const KeysymTable keys =
      Keyboard({{37, {XK_Control_L}}, {63, {XK_Num_Lock}}, {50, {XK_Shift_L}}});
  auto modifiers = [](std::map<int, std::uint8_t> slots) {
    ModifierTable table;
    table.perModifier = 2;
    table.keycodes.assign(16, 0);
    for (const auto& [slot, keycode] : slots) table.keycodes[slot] = keycode;
    return table;
  };
  struct Case {
    const char* name;
    ModifierTable table;
    std::uint16_t numLock;
    std::size_t states;
  };
  // Slots: modifier index * 2 + position; Mod2 is index 4, Mod4 index 6.
  const Case cases[] = {
      {"on Mod2", modifiers({{0, 50}, {4, 37}, {8, 63}}), 0x10, 4},
      {"moved to Mod4", modifiers({{0, 50}, {4, 37}, {13, 63}}), 0x40, 4},
      {"not a modifier", modifiers({{0, 50}, {4, 37}}), 0, 2},
  };
  for (const Case& c : cases) {
    const std::uint16_t numLock = ModifierBitOf({XK_Num_Lock}, keys, c.table);
    EXPECT_EQ(numLock, c.numLock) << c.name;
    const std::vector<std::uint16_t> states = StatesWithLocks(0x0c, 0x02, numLock);
    EXPECT_EQ(states.size(), c.states) << c.name;
    for (const std::uint16_t state : states) EXPECT_EQ(state & 0x0c, 0x0c) << c.name;
  }
}

// Each row is a key event of "d" (press or release, server time in ms) and
// whether a press acts.
TEST(HotKeyPresses, OnePressActsOnceAndALostReleaseDoesNotHoldTheKeyOff) {
  struct Event {
    bool press;
    std::uint32_t time;
    bool acts;
  };
  struct Case {
    const char* name;
    std::vector<Event> events;
  };
  const Case cases[] = {
      {"press and release, twice", {{true, 100, true}, {false, 180, false}, {true, 400, true}}},
      {"held: bare repeats after the delay",
       {{true, 100, true}, {true, 760, false}, {true, 800, false}, {false, 850, false}}},
      {"held: repeats as release and press at one moment",
       {{true, 100, true}, {false, 760, false}, {true, 760, false}, {false, 900, false}}},
      // Another program grabbed the keyboard while "d" was down: its release
      // went there. The next press a moment later is the user's own.
      {"release lost", {{true, 100, true}, {true, 61000, true}, {true, 61040, false}}},
      {"server clock wrapped",
       {{true, 0xFFFFFF00u, true}, {false, 0xFFFFFF80u, false}, {true, 200, true}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HotKeyPresses presses;
    for (const Event& e : c.events) {
      if (e.press) {
        EXPECT_EQ(presses.pressed(40, e.time), e.acts) << "press at " << e.time;
      } else {
        presses.released(40, e.time);
      }
    }
  }
}

}  // namespace
}  // namespace quilor
