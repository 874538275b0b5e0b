#include "KeyNames.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace quilor {

namespace {

struct NamedKey {
  std::string_view name;
  std::uint32_t virtualKey;
};

// Kept in byte order of the names, so a lookup can halve the range.
constexpr std::array<NamedKey, 42> kKeyNames{{
    {"BACKSPACE", 8}, {"BKSP", 8},      {"BREAK", 3},  {"BS", 8},      {"CAPSLOCK", 20},
    {"CLEAR", 12},    {"DECIMAL", 110}, {"DEL", 46},   {"DELETE", 46}, {"DOWN", 40},
    {"END", 35},      {"ENTER", 13},    {"ESC", 27},   {"ESCAPE", 27}, {"F1", 112},
    {"F10", 121},     {"F11", 122},     {"F12", 123},  {"F13", 124},   {"F14", 125},
    {"F15", 126},     {"F16", 127},     {"F2", 113},   {"F3", 114},    {"F4", 115},
    {"F5", 116},      {"F6", 117},      {"F7", 118},   {"F8", 119},    {"F9", 120},
    {"HELP", 47},     {"HOME", 36},     {"INS", 45},   {"LEFT", 37},   {"NUMLOCK", 144},
    {"PGDN", 34},     {"PGUP", 33},     {"PRTSC", 42}, {"RIGHT", 39},  {"SCROLLLOCK", 145},
    {"TAB", 9},       {"UP", 38},
}};

static_assert(std::is_sorted(kKeyNames.begin(), kKeyNames.end(),
                             [](const NamedKey& a, const NamedKey& b) { return a.name < b.name; }));

// Byte order of a table name against a name from a script.
int Compare(std::string_view tableName, std::u32string_view name) {
  const std::size_t common = std::min(tableName.size(), name.size());
  for (std::size_t i = 0; i < common; ++i) {
    const auto a = static_cast<char32_t>(static_cast<unsigned char>(tableName[i]));
    if (a != name[i]) return a < name[i] ? -1 : 1;
  }
  if (tableName.size() == name.size()) return 0;
  return tableName.size() < name.size() ? -1 : 1;
}

}  // namespace

std::optional<std::uint32_t> VirtualKeyOfName(std::u32string_view name) {
  const auto found = std::lower_bound(
      kKeyNames.begin(), kKeyNames.end(), name,
      [](const NamedKey& entry, std::u32string_view n) { return Compare(entry.name, n) < 0; });
  if (found == kKeyNames.end() || Compare(found->name, name) != 0) return std::nullopt;
  return found->virtualKey;
}

}  // namespace quilor
