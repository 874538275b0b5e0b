#include "SearchFold.h"

#include <array>

#include "Cp1254.h"

namespace quilor {

unsigned char FoldChar(unsigned char c) {
  switch (c) {
    case 0x69:
      return 0xDD;  // i -> İ
    case 0xFD:
      return 0x49;  // ı -> I
    case 0xE7:
      return 0xC7;  // ç -> Ç
    case 0xF0:
      return 0xD0;  // ğ -> Ğ
    case 0xF6:
      return 0xD6;  // ö -> Ö
    case 0xFE:
      return 0xDE;  // ş -> Ş
    case 0xFC:
      return 0xDC;  // ü -> Ü
    default:
      break;
  }
  if (c >= 0x61 && c <= 0x7A) return static_cast<unsigned char>(c - 0x20);
  return c;
}

namespace {

// FoldChar for every byte, worked out once: rows are folded by the thousand.
const std::array<unsigned char, 256>& FoldTable() {
  static const std::array<unsigned char, 256> table = [] {
    std::array<unsigned char, 256> t{};
    for (int c = 0; c < 256; ++c) t[c] = FoldChar(static_cast<unsigned char>(c));
    return t;
  }();
  return table;
}

}  // namespace

void FoldInPlace(std::span<char> text) {
  const auto& table = FoldTable();
  for (char& c : text) c = static_cast<char>(table[static_cast<unsigned char>(c)]);
}

std::string FoldText(std::string_view text) {
  std::string folded(text);
  FoldInPlace(folded);
  return folded;
}

RowMatcher::RowMatcher(const QString& searchText) {
  Cp1254Result bytes = ToCp1254(searchText);
  if (!bytes.unmappable) folded_ = FoldText(bytes.bytes);
}

bool RowMatcher::matches(std::string_view rowSearchText) const {
  return folded_ && rowSearchText.find(*folded_) != std::string_view::npos;
}

}  // namespace quilor
