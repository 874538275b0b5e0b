#include "PasswordGenerator.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace quilor {

namespace {

std::u32string Range(char32_t first, char32_t last) {
  std::u32string characters;
  for (char32_t c = first; c <= last; ++c) characters.push_back(c);
  return characters;
}

std::u32string WithoutLookAlikes(std::u32string characters) {
  const std::u32string_view lookAlikes(kLookAlikes);
  std::erase_if(characters, [&](char32_t c) { return lookAlikes.find(c) != lookAlikes.npos; });
  return characters;
}

int ClampedLength(const PasswordRecipe& recipe) {
  return std::clamp(recipe.length, PasswordRecipe::kMinLength, PasswordRecipe::kMaxLength);
}

bool HasEveryClass(const std::u32string& password, const std::vector<std::u32string>& classes) {
  return std::all_of(classes.begin(), classes.end(), [&](const std::u32string& members) {
    return password.find_first_of(members) != std::u32string::npos;
  });
}

}  // namespace

std::vector<std::u32string> CharacterClasses(const PasswordRecipe& recipe) {
  std::vector<std::u32string> classes;
  if (recipe.lowercase) classes.push_back(Range(U'a', U'z'));
  if (recipe.uppercase) classes.push_back(Range(U'A', U'Z'));
  if (recipe.digits) classes.push_back(Range(U'0', U'9'));
  if (recipe.symbols) classes.emplace_back(kPasswordSymbols);
  if (recipe.turkishLetters) classes.emplace_back(kTurkishLetters);
  if (recipe.withoutLookAlikes) {
    for (std::u32string& members : classes) members = WithoutLookAlikes(members);
  }
  return classes;
}

std::u32string GeneratePassword(const PasswordRecipe& recipe, RandomSource& random) {
  const std::vector<std::u32string> classes = CharacterClasses(recipe);
  if (classes.empty()) return {};
  std::u32string pool;
  for (const std::u32string& members : classes) pool += members;
  const auto length = static_cast<std::size_t>(ClampedLength(recipe));
  std::u32string password(length, U' ');
  // The shortest password has more places than there are classes, so a
  // draw succeeds with a fair chance and the loop ends after a few rounds.
  do {
    for (char32_t& c : password) c = pool[random.below(static_cast<std::uint32_t>(pool.size()))];
  } while (!HasEveryClass(password, classes));
  return password;
}

double PasswordEntropyBits(const PasswordRecipe& recipe) {
  const std::vector<std::u32string> classes = CharacterClasses(recipe);
  if (classes.empty()) return 0;
  std::size_t poolSize = 0;
  for (const std::u32string& members : classes) poolSize += members.size();
  const long double length = ClampedLength(recipe);
  // Passwords that use every class, by inclusion and exclusion over the
  // classes left out. Each term is taken relative to poolSize^length, so the
  // sum is the share of all draws that the loop above keeps.
  long double share = 0;
  const std::size_t subsets = std::size_t{1} << classes.size();
  for (std::size_t leftOut = 0; leftOut < subsets; ++leftOut) {
    std::size_t remaining = poolSize;
    int sign = 1;
    for (std::size_t i = 0; i < classes.size(); ++i) {
      if (leftOut & (std::size_t{1} << i)) {
        remaining -= classes[i].size();
        sign = -sign;
      }
    }
    share += sign * std::pow(static_cast<long double>(remaining) / poolSize, length);
  }
  return static_cast<double>(length * std::log2(static_cast<long double>(poolSize)) +
                             std::log2(share));
}

}  // namespace quilor
