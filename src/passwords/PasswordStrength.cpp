#include "PasswordStrength.h"

#include <zxcvbn.h>

#include <cmath>

namespace quilor {

StrengthLevel LevelForGuessBits(double guessBits) {
  const double powerOfTen = guessBits * std::log10(2.0);
  if (powerOfTen < 3) return StrengthLevel::VeryWeak;
  if (powerOfTen < 6) return StrengthLevel::Weak;
  if (powerOfTen < 8) return StrengthLevel::Fair;
  if (powerOfTen < 10) return StrengthLevel::Strong;
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
