#include "KeyboardMap.h"

#include <X11/XKBlib.h>
#include <X11/keysym.h>

#include <bit>
#include <memory>
#include <vector>

#include "KeysymCharacters.h"

namespace quilor {

namespace {

struct XkbDescDeleter {
  void operator()(XkbDescPtr desc) const { XkbFreeKeyboard(desc, 0, True); }
};
using XkbDesc = std::unique_ptr<XkbDescRec, XkbDescDeleter>;

// The group a key types in when the keyboard is in `group`: a key with
// fewer groups wraps, clamps or redirects as its own setting says.
int EffectiveGroup(XkbDescPtr xkb, KeyCode key, int group) {
  const int count = XkbKeyNumGroups(xkb, key);
  if (count == 0 || group < count) return group;
  const unsigned char info = XkbKeyGroupInfo(xkb, key);
  switch (XkbOutOfRangeGroupAction(info)) {
    case XkbClampIntoRange:
      return count - 1;
    case XkbRedirectIntoRange: {
      const int target = XkbOutOfRangeGroupNumber(info);
      return target < count ? target : 0;
    }
    default:
      return group % count;
  }
}

// The modifier sets that select `level` of a key type, as real modifiers.
std::vector<unsigned int> MasksOfLevel(const XkbKeyTypeRec& type, int level) {
  std::vector<unsigned int> masks;
  if (level == 0) masks.push_back(0);
  for (int i = 0; i < type.map_count; ++i) {
    const XkbKTMapEntryRec& entry = type.map[i];
    if (entry.active && entry.level == level) masks.push_back(entry.mods.mask);
  }
  return masks;
}

}  // namespace

KeyboardMap::KeyboardMap(Display* display) {
  int opcode = 0, event = 0, error = 0, major = XkbMajorVersion, minor = XkbMinorVersion;
  if (!XkbQueryExtension(display, &opcode, &event, &error, &major, &minor)) return;
  const XkbDesc xkb(
      XkbGetMap(display, XkbKeyTypesMask | XkbKeySymsMask | XkbModifierMapMask, XkbUseCoreKbd));
  if (!xkb) return;
  XkbStateRec state{};
  if (XkbGetState(display, XkbUseCoreKbd, &state) == Success) currentGroup_ = state.group;

  const int minKey = xkb->min_key_code;
  const int maxKey = xkb->max_key_code;
  // The third-level shift: a key whose every group gives ISO_Level3_Shift
  // stays the same whatever group is locked, so it is preferred.
  for (int key = minKey; key <= maxKey; ++key) {
    const int groups = XkbKeyNumGroups(xkb.get(), key);
    if (groups == 0 || xkb->map->modmap[key] == 0) continue;
    int matching = 0;
    for (int g = 0; g < groups; ++g) {
      if (XkbKeySymEntry(xkb.get(), key, 0, g) == XK_ISO_Level3_Shift) ++matching;
    }
    if (matching == 0) continue;
    if (levelThreeKey_ == 0 || matching == groups) {
      levelThreeKey_ = static_cast<KeyCode>(key);
      levelThreeMask_ = xkb->map->modmap[key];
      if (matching == groups) break;
    }
  }
  const unsigned int reachable = ShiftMask | levelThreeMask_;

  for (int key = minKey; key <= maxKey; ++key) {
    const int groups = XkbKeyNumGroups(xkb.get(), key);
    if (groups == 0) {
      spareKeys_.push_back(static_cast<KeyCode>(key));
      continue;
    }
    const int effective = EffectiveGroup(xkb.get(), static_cast<KeyCode>(key), currentGroup_);
    effectiveGroup_[static_cast<KeyCode>(key)] = effective;
    for (int g = 0; g < groups; ++g) {
      const XkbKeyTypeRec& type = *XkbKeyKeyType(xkb.get(), key, g);
      for (int level = 0; level < type.num_levels; ++level) {
        const KeySym symbol = XkbKeySymEntry(xkb.get(), key, level, g);
        if (symbol == NoSymbol) continue;
        for (const unsigned int mask : MasksOfLevel(type, level)) {
          if ((mask & ~reachable) != 0) continue;
          const Candidate c{{static_cast<KeyCode>(key), g, mask},
                            (g == effective ? 0 : 100) + 10 * std::popcount(mask)};
          offer(byKeysym_, symbol, c);
          if (const char32_t ch = CharacterOfKeysym(symbol)) offer(byCharacter_, ch, c);
        }
      }
    }
  }
}

void KeyboardMap::offer(std::map<unsigned long, Candidate>& into, unsigned long symbol,
                        const Candidate& c) {
  const auto [it, inserted] = into.try_emplace(symbol, c);
  if (!inserted && c.cost < it->second.cost) it->second = c;
}

std::optional<KeyboardStroke> KeyboardMap::forCharacter(char32_t character) const {
  const auto it = byCharacter_.find(character);
  if (it == byCharacter_.end()) return std::nullopt;
  return it->second.stroke;
}

std::optional<KeyboardStroke> KeyboardMap::forKeysym(KeySym keysym) const {
  const auto it = byKeysym_.find(keysym);
  if (it == byKeysym_.end()) return std::nullopt;
  return it->second.stroke;
}

bool KeyboardMap::needsGroupSwitch(const KeyboardStroke& stroke) const {
  const auto it = effectiveGroup_.find(stroke.keycode);
  return it != effectiveGroup_.end() && it->second != stroke.group;
}

}  // namespace quilor
