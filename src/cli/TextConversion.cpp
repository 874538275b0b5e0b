#include "TextConversion.h"

#include <QString>
#include <cstdio>

#include "Cp1254.h"

namespace quilor::cli {

namespace {

// Names the character whose first UTF-16 unit is at index, a pair of
// surrogates included, as it would appear in a message.
std::string DescribeCharacterAt(const QString& text, qsizetype index) {
  const bool pair = text.at(index).isHighSurrogate() && index + 1 < text.size() &&
                    text.at(index + 1).isLowSurrogate();
  const QString character = text.mid(index, pair ? 2 : 1);
  const char32_t codePoint =
      pair ? QChar::surrogateToUcs4(text.at(index), text.at(index + 1)) : text.at(index).unicode();
  char code[16];
  std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(codePoint));
  std::string description = "'";
  description.append(character.toStdString()).append("' (").append(code).append(")");
  return description;
}

}  // namespace

std::string Cp1254ToUtf8(std::string_view bytes) {
  std::string utf8;
  utf8.reserve(bytes.size() * 2);
  AppendCp1254AsUtf8(utf8, bytes);
  return utf8;
}

Utf8Conversion Utf8ToCp1254(std::string_view utf8) {
  const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
  Cp1254Result converted = ToCp1254(text);
  Utf8Conversion result;
  if (!converted.unmappable) {
    result.bytes = std::move(converted.bytes);
    return result;
  }
  result.unmappable = DescribeCharacterAt(text, converted.unmappableIndex);
  result.position = static_cast<std::size_t>(CharacterPosition(text, converted.unmappableIndex));
  return result;
}

}  // namespace quilor::cli
