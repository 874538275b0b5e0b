#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "PasswordStrength.h"
#include "RecordTable.h"

namespace quilor {

// What can be wrong with a record's password 1, the worst first.
enum class HealthProblem { Empty, Weak, Reused, Old };

// One problem of one record. It names the record, never its password.
struct HealthFinding {
  HealthProblem problem = HealthProblem::Empty;
  std::string recordNumber;  // Windows-1254 bytes, as the table holds them
  std::string title;
  std::string group;
  StrengthLevel level = StrengthLevel::VeryWeak;  // Weak: the meter's rating
  std::size_t others = 0;  // Reused: how many other records share the password
  long long days = -1;     // Old: days since the change; -1 when never stamped
};

struct HealthReport {
  std::size_t records = 0;
  // How many records have each problem.
  std::size_t empty = 0;
  std::size_t weak = 0;
  std::size_t reused = 0;
  std::size_t old = 0;
  std::vector<HealthFinding> findings;  // worst first
};

// A password 1 older than this many days is old.
inline constexpr long long kOldAfterDays = 365;

// Checks every record's password 1: empty; weak by the strength meter
// (rated against the record's own title, user name and web address); the
// same as another record's (compared where the table holds them, never
// copied); unchanged for more than kOldAfterDays before `today` (a day
// count since 1899-12-30), or never stamped. An empty password is reported
// as that alone. Findings come worst first: empty, very weak, weak, shared
// by the most records, oldest; ties in table order. The table's cursor ends
// past its last record.
HealthReport CheckPasswordHealth(RecordTable& table, long long today);

}  // namespace quilor
