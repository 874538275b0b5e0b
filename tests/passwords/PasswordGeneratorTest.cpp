// Passwords drawn from the kernel's random source: their make-up, their
// spread over the characters, and the entropy the generator claims.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "PasswordGenerator.h"

namespace quilor {
namespace {

constexpr int kDraws = 10000;

struct Tally {
  std::map<char32_t, long> perCharacter;
  long total = 0;
};

Tally Draw(const PasswordRecipe& recipe, int draws) {
  SystemRandom random;
  Tally tally;
  const std::vector<std::u32string> classes = CharacterClasses(recipe);
  for (int i = 0; i < draws; ++i) {
    const std::u32string password = GeneratePassword(recipe, random);
    EXPECT_EQ(static_cast<int>(password.size()), recipe.length);
    for (const std::u32string& members : classes) {
      EXPECT_NE(password.find_first_of(members), std::u32string::npos)
          << "a chosen class is missing";
    }
    for (char32_t c : password) ++tally.perCharacter[c];
    tally.total += static_cast<long>(password.size());
  }
  return tally;
}

// Pearson's statistic of the counts of members against an even spread.
double ChiSquare(const Tally& tally, const std::u32string& members) {
  long classTotal = 0;
  for (char32_t c : members)
    classTotal += tally.perCharacter.count(c) ? tally.perCharacter.at(c) : 0;
  const double expected = static_cast<double>(classTotal) / static_cast<double>(members.size());
  double statistic = 0;
  for (char32_t c : members) {
    const double seen = tally.perCharacter.count(c) ? tally.perCharacter.at(c) : 0;
    statistic += (seen - expected) * (seen - expected) / expected;
  }
  return statistic;
}

TEST(PasswordGenerator, EveryCharacterOfEveryClassComesEquallyOftenOverTenThousandDraws) {
  struct Case {
    const char* name;
    PasswordRecipe recipe;
  };
  PasswordRecipe defaults;
  PasswordRecipe everything;
  everything.turkishLetters = true;
  PasswordRecipe shortWithoutLookAlikes;
  shortWithoutLookAlikes.length = 8;
  shortWithoutLookAlikes.turkishLetters = true;
  shortWithoutLookAlikes.withoutLookAlikes = true;
  PasswordRecipe digitsOnly;
  digitsOnly.lowercase = digitsOnly.uppercase = digitsOnly.symbols = false;
  digitsOnly.length = 64;
  for (const Case& c : {Case{"defaults", defaults}, Case{"with Turkish letters", everything},
                        Case{"8 long, no look-alikes", shortWithoutLookAlikes},
                        Case{"digits only, 64 long", digitsOnly}}) {
    SCOPED_TRACE(c.name);
    const Tally tally = Draw(c.recipe, kDraws);
    std::u32string pool;
    for (const std::u32string& members : CharacterClasses(c.recipe)) {
      pool += members;
      // Within a class every character is equally likely. With k - 1
      // degrees of freedom the statistic averages k - 1; a fair source
      // passes k - 1 + 12 sqrt(2 (k - 1)) + 20 far less often than once in
      // 10^15 runs, while a modulo bias or a lost character goes far past it.
      const double freedom = static_cast<double>(members.size() - 1);
      EXPECT_LT(ChiSquare(tally, members), freedom + 12 * std::sqrt(2 * freedom) + 20);
    }
    // Nothing outside the pool, and every character of it appears.
    for (const auto& [character, count] : tally.perCharacter) {
      EXPECT_NE(pool.find(character), std::u32string::npos) << static_cast<long>(character);
    }
    EXPECT_EQ(tally.perCharacter.size(), pool.size());
  }
}

TEST(PasswordGenerator, NoClassIsFavouredBeyondItsShareOfThePool) {
  // Drawing from the whole pool gives each class its share of it (a little
  // more for small classes, which a password must still contain). Picking a
  // class first and then a character would give digits a quarter of all
  // places instead of an eighth.
  PasswordRecipe recipe;
  recipe.turkishLetters = true;
  const Tally tally = Draw(recipe, kDraws);
  const std::vector<std::u32string> classes = CharacterClasses(recipe);
  double poolSize = 0;
  for (const std::u32string& members : classes) poolSize += static_cast<double>(members.size());
  for (const std::u32string& members : classes) {
    long count = 0;
    for (char32_t c : members) count += tally.perCharacter.at(c);
    const double share = static_cast<double>(count) / static_cast<double>(tally.total);
    const double poolShare = static_cast<double>(members.size()) / poolSize;
    EXPECT_GT(share, poolShare * 0.9);
    EXPECT_LT(share, poolShare * 1.5);
  }
}

TEST(PasswordGenerator, OptionsShapeThePool) {
  PasswordRecipe recipe;
  std::u32string pool;
  for (const std::u32string& members : CharacterClasses(recipe)) pool += members;
  EXPECT_EQ(pool.size(), 26u + 26u + 10u + std::u32string_view(kPasswordSymbols).size());
  EXPECT_EQ(pool.find_first_of(kTurkishLetters), std::u32string::npos) << "Turkish is opt-in";
  // No key-language character and no character that needs a dead key.
  EXPECT_EQ(pool.find_first_of(U"+^%~(){}[]`'\"\\"), std::u32string::npos);

  recipe.withoutLookAlikes = true;
  recipe.turkishLetters = true;
  pool.clear();
  for (const std::u32string& members : CharacterClasses(recipe)) pool += members;
  EXPECT_EQ(pool.find_first_of(kLookAlikes), std::u32string::npos);
  EXPECT_NE(pool.find(U'ş'), std::u32string::npos);

  SystemRandom random;
  PasswordRecipe none;
  none.lowercase = none.uppercase = none.digits = none.symbols = false;
  EXPECT_TRUE(GeneratePassword(none, random).empty());
  EXPECT_EQ(PasswordEntropyBits(none), 0);

  PasswordRecipe outOfRange;
  outOfRange.length = 3;
  EXPECT_EQ(GeneratePassword(outOfRange, random).size(), 8u);
  outOfRange.length = 500;
  EXPECT_EQ(GeneratePassword(outOfRange, random).size(), 64u);
}

TEST(PasswordGenerator, EntropyCountsOnlyPasswordsThatHoldEveryClass) {
  auto recipe = [](int length, bool lower, bool upper, bool digits) {
    PasswordRecipe r;
    r.length = length;
    r.lowercase = lower;
    r.uppercase = upper;
    r.digits = digits;
    r.symbols = false;
    return r;
  };
  // Digits only: every one of 10^8 passwords.
  EXPECT_NEAR(PasswordEntropyBits(recipe(8, false, false, true)), 8 * std::log2(10.0), 1e-9);
  // Letters of both cases: 52^8 less the 2 * 26^8 of one case only.
  EXPECT_NEAR(PasswordEntropyBits(recipe(8, true, true, false)),
              std::log2(std::pow(52.0, 8) - 2 * std::pow(26.0, 8)), 1e-9);
  // Long passwords lose almost nothing to the rule.
  PasswordRecipe longest;
  longest.length = 64;
  longest.turkishLetters = true;
  const double poolBits = 64 * std::log2(26.0 + 26 + 10 + 15 + 6);
  EXPECT_LT(PasswordEntropyBits(longest), poolBits);
  EXPECT_GT(PasswordEntropyBits(longest), poolBits - 1);
}

}  // namespace
}  // namespace quilor
