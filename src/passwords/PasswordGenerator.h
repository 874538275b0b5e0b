#pragma once

#include <string>
#include <vector>

#include "RandomSource.h"

namespace quilor {

// What a generated password is made of.
struct PasswordRecipe {
  static constexpr int kMinLength = 8;
  static constexpr int kMaxLength = 64;
  static constexpr int kDefaultLength = 20;

  int length = kDefaultLength;
  bool lowercase = true;
  bool uppercase = true;
  bool digits = true;
  bool symbols = true;
  // Off by default: many sites, and some auto-fill targets, refuse them.
  bool turkishLetters = false;
  // Leaves out characters that are easily misread for another: I l 1 O 0.
  bool withoutLookAlikes = false;
};

// The symbols offered: each one can be typed on the usual Latin layouts,
// Turkish Q and F included, without a dead key, and none of them means
// anything to the auto-fill key language, so a filled password arrives as
// it was generated.
inline constexpr char32_t kPasswordSymbols[] = U"!#$&*-_.,:;=?@/";
inline constexpr char32_t kTurkishLetters[] = U"çğıöşü";
inline constexpr char32_t kLookAlikes[] = U"Il1O0";

// The character classes a recipe asks for, each without the look-alikes
// when the recipe leaves them out. Empty when no class is chosen.
std::vector<std::u32string> CharacterClasses(const PasswordRecipe& recipe);

// A password of recipe.length characters with at least one character of
// every chosen class. Every such password is equally likely: whole
// passwords that miss a class are drawn again. Empty when no class is
// chosen. The length is held to kMinLength..kMaxLength.
std::u32string GeneratePassword(const PasswordRecipe& recipe, RandomSource& random);

// The entropy of GeneratePassword's result in bits: log2 of the number of
// passwords it can give, each equally likely. 0 when no class is chosen.
double PasswordEntropyBits(const PasswordRecipe& recipe);

}  // namespace quilor
