#include "VisibleText.h"

#include <cstdio>

namespace quilor::cli {

std::string WithVisibleControls(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  char escape[8];
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    if (c < 0x20 || c == 0x7F) {
      std::snprintf(escape, sizeof escape, "\\x%02x", c);
      out.append(escape);
    } else if (c == 0xC2 && i + 1 < utf8.size() &&
               static_cast<unsigned char>(utf8[i + 1]) >= 0x80 &&
               static_cast<unsigned char>(utf8[i + 1]) <= 0x9F) {
      // U+0080..U+009F: some terminals act on these as on ESC sequences.
      std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned char>(utf8[++i]));
      out.append(escape);
    } else {
      out.push_back(static_cast<char>(c));
    }
  }
  return out;
}

}  // namespace quilor::cli
