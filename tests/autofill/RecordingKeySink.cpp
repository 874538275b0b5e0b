#include "RecordingKeySink.h"

#include <string_view>

namespace quilor::test {

namespace {

// Shifted US characters and the character of the same key unshifted.
constexpr std::string_view kShifted = "~!@#$%^&*()_+{}|:\"<>?";
constexpr std::string_view kUnshifted = "`1234567890-=[]\\;',./";

}  // namespace

std::optional<KeyStroke> FakeUsLayout::strokeFor(char32_t c) {
  auto key = [](char32_t base) { return Key{Key::Kind::Layout, base}; };
  if (c == U'€') return KeyStroke{key(U'e'), shift_state::kAltGr};
  if (c >= U'A' && c <= U'Z') return KeyStroke{key(c + 32), shift_state::kShift};
  if (c >= 0x80) return std::nullopt;
  const std::size_t shifted = kShifted.find(static_cast<char>(c));
  if (shifted != std::string_view::npos) {
    return KeyStroke{key(static_cast<unsigned char>(kUnshifted[shifted])), shift_state::kShift};
  }
  if (c == U'\t' || (c >= U' ' && c < 0x7F)) return KeyStroke{key(c), 0};
  return std::nullopt;
}

std::string RecordingKeySink::KeyText(Key key) {
  switch (key.kind) {
    case Key::Kind::Modifier: {
      constexpr const char* kNames[] = {"Shift", "Ctrl", "Alt", "AltGr"};
      return kNames[key.code];
    }
    case Key::Kind::Named:
      return "vk" + std::to_string(key.code);
    case Key::Kind::Layout:
      return std::string(1, static_cast<char>(key.code));
  }
  return "?";
}

std::string RecordingKeySink::joined() const {
  std::string out;
  for (const std::string& e : events) out += (out.empty() ? "" : " ") + e;
  return out;
}

}  // namespace quilor::test
