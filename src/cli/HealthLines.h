#pragma once

#include <string>

#include "PasswordHealth.h"
#include "RecordText.h"

namespace quilor::cli {

// "title<TAB>group<TAB>finding<LF>" for every finding, worst first, UTF-8.
// No password appears in it.
std::string HealthLines(const HealthReport& report, const TextStyle& style);

// The report's header with its totals and a line break, UTF-8.
std::string HealthSummary(const HealthReport& report);

}  // namespace quilor::cli
