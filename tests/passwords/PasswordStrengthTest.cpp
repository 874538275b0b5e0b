// The strength estimate as the meter shows it.
#include <gtest/gtest.h>

#include <utility>

#include "PasswordStrength.h"

namespace quilor {
namespace {

TEST(PasswordStrength, CommonPasswordsAndPatternsAreWeakAndLongRandomOnesStrong) {
  const std::pair<const char*, StrengthLevel> cases[] = {
      {"", StrengthLevel::VeryWeak},
      {"password", StrengthLevel::VeryWeak},
      {"123456", StrengthLevel::VeryWeak},
      {"qwertyuiop", StrengthLevel::VeryWeak},
      {"aB3$aB3$aB3$", StrengthLevel::VeryWeak},
      {"Kx7#mq", StrengthLevel::Weak},
      {"correcthorsebatterystaple", StrengthLevel::Fair},
      {"tQ8!vN2@pL5$", StrengthLevel::Strong},
      {"Xk9!mP2@vL7#qR4&wT6*", StrengthLevel::VeryStrong},
  };
  for (const auto& [password, level] : cases) {
    EXPECT_EQ(EstimateStrength(password).level, level) << password;
  }
  EXPECT_EQ(EstimateStrength("").guessBits, 0);
}

TEST(PasswordStrength, ARecordsOwnTextsMakeAPasswordWeaker) {
  const std::string password = "Zeytinburnu1987";
  const double alone = EstimateStrength(password).guessBits;
  const double withTitle = EstimateStrength(password, {"zeytinburnu", ""}).guessBits;
  EXPECT_LT(withTitle, alone - 10);
}

TEST(PasswordStrength, LevelsFollowTheGuessCountSteps) {
  const std::pair<double, StrengthLevel> cases[] = {
      {0, StrengthLevel::VeryWeak},    {29.9, StrengthLevel::VeryWeak},
      {30, StrengthLevel::Weak},       {44.9, StrengthLevel::Weak},
      {45, StrengthLevel::Fair},       {59.9, StrengthLevel::Fair},
      {60, StrengthLevel::Strong},     {79.9, StrengthLevel::Strong},
      {80, StrengthLevel::VeryStrong}, {400, StrengthLevel::VeryStrong},
  };
  for (const auto& [bits, level] : cases) EXPECT_EQ(LevelForGuessBits(bits), level) << bits;
}

}  // namespace
}  // namespace quilor
