#include "HealthCommand.h"

#include <unistd.h>

#include <cstdio>
#include <string>

#include "ExitCodes.h"
#include "HealthLines.h"
#include "HeldSecrets.h"
#include "PasswordHealth.h"
#include "ReadOnlyLoad.h"
#include "Today.h"

namespace quilor::cli {

int Health(const Arguments& arguments) {
  UnlockedTable unlocked;
  std::string bytes = ReadFileBytes(arguments.dataFile);
  {
    const MasterPassword masterPassword(false);
    LoadFromBytes(unlocked.table, std::move(bytes), masterPassword.key(), arguments.dataFile);
  }
  const HealthReport report = CheckPasswordHealth(unlocked.table, TodayDayNumber());
  TextStyle style;
  style.visibleControls = ::isatty(STDOUT_FILENO) == 1;
  const std::string lines = HealthLines(report, style);
  std::fwrite(lines.data(), 1, lines.size(), stdout);
  const std::string summary = HealthSummary(report);
  std::fwrite(summary.data(), 1, summary.size(), stderr);
  return report.findings.empty() ? kExitOk : kExitFindings;
}

}  // namespace quilor::cli
