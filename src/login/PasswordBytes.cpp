#include "PasswordBytes.h"

#include "Cp1254.h"
#include "Info.h"
#include "LoginTexts.h"

namespace quilor {

std::string PasswordBytes(const QString& typed) {
  Cp1254Result converted = ToCp1254(typed);
  if (converted.unmappable) {
    AbortWithInfo(true, login_texts::kUnusableCharacter.arg(
                            CharacterPosition(typed, converted.unmappableIndex)));
  }
  return std::move(converted.bytes);
}

}  // namespace quilor
