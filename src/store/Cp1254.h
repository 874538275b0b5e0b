#pragma once

#include <QString>
#include <optional>
#include <string>
#include <string_view>

namespace quilor {

// Text crosses between the store (Windows-1254 bytes) and the user interface
// (Unicode) only through these two functions.
QString FromCp1254(std::string_view bytes);
// FromCp1254 for a reader of UTF-8 (the command-line tool): the same
// characters, appended to out without a QString between.
void AppendCp1254AsUtf8(std::string& out, std::string_view bytes);

struct Cp1254Result {
  std::string bytes;
  // The first character Windows-1254 cannot hold, when there was one; the
  // bytes are then not to be used.
  std::optional<QChar> unmappable;
  // Where that character stands in the text, in UTF-16 units.
  qsizetype unmappableIndex = -1;
};
Cp1254Result ToCp1254(const QString& text);

// The position, counted in characters from 1 (a surrogate pair is one), of
// the unit at index of text: all that a message may tell about a character
// of a password or another secret, which it must never show.
qsizetype CharacterPosition(const QString& text, qsizetype index);

}  // namespace quilor
