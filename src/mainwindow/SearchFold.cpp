#include "SearchFold.h"

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

std::string FoldText(std::string_view text) {
  std::string folded(text);
  for (char& c : folded) c = static_cast<char>(FoldChar(static_cast<unsigned char>(c)));
  return folded;
}

std::string RowSearchText(const RecordRow& row) {
  QString text = row.caption;
  for (int column = 1; column <= 5; ++column) text += ' ' + row.column(column);
  // Row texts come from Windows-1254 bytes, so every character maps back.
  return ToCp1254(text).bytes;
}

RowMatcher::RowMatcher(const QString& searchText) {
  Cp1254Result bytes = ToCp1254(searchText);
  if (!bytes.unmappable) folded_ = FoldText(bytes.bytes);
}

bool RowMatcher::matches(const RecordRow& row) const {
  return folded_ && FoldText(RowSearchText(row)).find(*folded_) != std::string::npos;
}

}  // namespace quilor
