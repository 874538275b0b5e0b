#include "PasswordStrength.h"

#include <zxcvbn.h>

namespace quilor {

StrengthLevel LevelForGuessBits(double guessBits) {
  if (guessBits < 30) return StrengthLevel::VeryWeak;
  if (guessBits < 45) return StrengthLevel::Weak;
  if (guessBits < 60) return StrengthLevel::Fair;
  if (guessBits < 80) return StrengthLevel::Strong;
  return StrengthLevel::VeryStrong;
}

PasswordStrength EstimateStrength(const std::string& password,
                                  const std::vector<std::string>& userWords) {
  std::vector<const char*> dictionary;
  for (const std::string& word : userWords) {
    if (!word.empty()) dictionary.push_back(word.c_str());
  }
  dictionary.push_back(nullptr);
  PasswordStrength strength;
  if (password.empty()) return strength;
  strength.guessBits = ZxcvbnMatch(password.c_str(), dictionary.data(), nullptr);
  strength.level = LevelForGuessBits(strength.guessBits);
  return strength;
}

}  // namespace quilor
