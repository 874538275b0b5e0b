#include "PasswordBytes.h"

#include "Cp1254.h"
#include "Info.h"
#include "LoginTexts.h"

namespace quilor {

namespace {

// The whole character at the first occurrence of unit: both halves of a
// surrogate pair, so that the notice shows what the user typed.
QString CharacterAt(const QString& text, QChar unit) {
  const qsizetype at = text.indexOf(unit);
  if (unit.isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate()) {
    return text.mid(at, 2);
  }
  return QString(unit);
}

}  // namespace

std::string PasswordBytes(const QString& typed) {
  Cp1254Result converted = ToCp1254(typed);
  if (converted.unmappable) {
    AbortWithInfo(true,
                  login_texts::kUnusableCharacter.arg(CharacterAt(typed, *converted.unmappable)));
  }
  return std::move(converted.bytes);
}

}  // namespace quilor
