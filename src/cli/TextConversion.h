#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quilor::cli {

// The store's Windows-1254 bytes as UTF-8.
std::string Cp1254ToUtf8(std::string_view bytes);

struct Utf8Conversion {
  std::string bytes;  // Windows-1254
  // When a character has no Windows-1254 byte: that character and its code
  // point, ready for a message ("'€' (U+20AC)"); bytes is then not to be used.
  std::optional<std::string> unmappable;
  // Where that character stands, counted in characters from 1: all that a
  // message may say about a character of a secret.
  std::size_t position = 0;
};
Utf8Conversion Utf8ToCp1254(std::string_view utf8);

}  // namespace quilor::cli
