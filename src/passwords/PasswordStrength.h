#pragma once

#include <string>
#include <vector>

namespace quilor {

// How hard a password is to guess, in five steps from "Çok zayıf" to
// "Çok güçlü".
enum class StrengthLevel { VeryWeak, Weak, Fair, Strong, VeryStrong };

struct PasswordStrength {
  // log2 of the number of guesses an attacker who knows common passwords,
  // words, names, dates, keyboard runs and repeats would need.
  double guessBits = 0;
  StrengthLevel level = StrengthLevel::VeryWeak;
};

// Estimates with zxcvbn, which works on bytes: password and userWords are
// given as the data file holds them, Windows-1254. userWords are texts that
// belong to the record (its title, user name, address), which a password
// should not be built from.
PasswordStrength EstimateStrength(const std::string& password,
                                  const std::vector<std::string>& userWords = {});

// The level for a number of guesses, in steps of 2^30, 2^45, 2^60 and 2^80.
// Someone with a copy of the data file tries some 10^10 passwords a second
// on one graphics card: 2^30 guesses take him a tenth of a second, 2^45 an
// hour, 2^60 years; 2^80 is out of reach of any budget.
StrengthLevel LevelForGuessBits(double guessBits);

}  // namespace quilor
