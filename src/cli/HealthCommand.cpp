#include "HealthCommand.h"

#include <unistd.h>

#include <cstdio>
#include <string>

#include "ExitCodes.h"
#include "HealthLines.h"
#include "PasswordHealth.h"
#include "SessionLogin.h"
#include "Today.h"

namespace quilor::cli {

int Health(const Arguments& arguments) {
  Session session(arguments.dataFile, Session::Access::ReadOnly);
  LogInAsked(session);
  const HealthReport report = CheckPasswordHealth(session.records(), TodayDayNumber());
  TextStyle style;
  style.visibleControls = ::isatty(STDOUT_FILENO) == 1;
  const std::string lines = HealthLines(report, style);
  std::fwrite(lines.data(), 1, lines.size(), stdout);
  const std::string summary = HealthSummary(report);
  std::fwrite(summary.data(), 1, summary.size(), stderr);
  return report.findings.empty() ? kExitOk : kExitFindings;
}

}  // namespace quilor::cli
