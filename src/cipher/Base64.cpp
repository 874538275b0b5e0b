#include "Base64.h"

#include <array>
#include <cstdint>

namespace quilor {
namespace {

constexpr std::string_view kAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr char kPad = '=';
constexpr int kNotInAlphabet = -1;

constexpr std::array<int, 256> MakeSextetValues() {
  std::array<int, 256> values{};
  values.fill(kNotInAlphabet);
  for (std::size_t i = 0; i < kAlphabet.size(); ++i) {
    values[static_cast<unsigned char>(kAlphabet[i])] = static_cast<int>(i);
  }
  return values;
}

constexpr std::array<int, 256> kSextetValues = MakeSextetValues();

char Sextet(std::uint32_t group, int shift) { return kAlphabet[(group >> shift) & 0x3F]; }

std::uint32_t Byte(std::string_view bytes, std::size_t at) {
  return static_cast<unsigned char>(bytes[at]);
}

}  // namespace

std::string EncodeBase64(std::string_view bytes) {
  std::string text;
  text.reserve((bytes.size() + 2) / 3 * 4);
  std::size_t at = 0;
  for (; at + 3 <= bytes.size(); at += 3) {
    const std::uint32_t group =
        Byte(bytes, at) << 16 | Byte(bytes, at + 1) << 8 | Byte(bytes, at + 2);
    text += {Sextet(group, 18), Sextet(group, 12), Sextet(group, 6), Sextet(group, 0)};
  }
  const std::size_t left = bytes.size() - at;
  if (left == 1) {
    const std::uint32_t group = Byte(bytes, at) << 16;
    text += {Sextet(group, 18), Sextet(group, 12), kPad, kPad};
  } else if (left == 2) {
    const std::uint32_t group = Byte(bytes, at) << 16 | Byte(bytes, at + 1) << 8;
    text += {Sextet(group, 18), Sextet(group, 12), Sextet(group, 6), kPad};
  }
  return text;
}

std::string DecodeBase64(std::string_view text) {
  if (text.size() % 4 != 0) return {};
  std::string bytes;
  bytes.reserve(text.size() / 4 * 3);
  // Bytes are taken off as soon as their eight bits have arrived. A stop at
  // the pad of the last group so yields its one or two bytes, and a stop
  // anywhere else yields exactly the bytes wholly written before it.
  std::uint32_t bits = 0;
  int pending = 0;
  for (const char c : text) {
    const int value = kSextetValues[static_cast<unsigned char>(c)];
    if (value == kNotInAlphabet) break;
    bits = bits << 6 | static_cast<std::uint32_t>(value);
    pending += 6;
    if (pending >= 8) {
      pending -= 8;
      bytes.push_back(static_cast<char>(bits >> pending));
    }
  }
  return bytes;
}

}  // namespace quilor
