#include "PasswordHealth.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <string_view>
#include <tuple>
#include <unordered_map>

#include "DateTimeNumber.h"
#include "SecureWipe.h"

namespace quilor {

namespace {

// Where the table holds a record's password 1; valid while the table is
// left alone.
std::string_view PasswordOf(const Record& record) { return record.values[Field::Password].text; }

HealthFinding About(const Record& record, HealthProblem problem) {
  HealthFinding finding;
  finding.problem = problem;
  finding.recordNumber = record.values[Field::RecordNumber].text;
  finding.title = record.values[Field::Title].text;
  finding.group = record.values[Field::Group].text;
  return finding;
}

std::optional<HealthFinding> Weakness(const Record& record) {
  // The user name is a secret too: its copy is wiped after use, like the
  // password's.
  std::string password(record.values[Field::Password].text);
  std::vector<std::string> ownWords{std::string(record.values[Field::Title].text),
                                    std::string(record.values[Field::UserName].text),
                                    std::string(record.values[Field::WebAddress].text)};
  const StrengthLevel level = EstimateStrength(password, ownWords).level;
  WipeText(password);
  for (std::string& word : ownWords) WipeText(word);
  if (level != StrengthLevel::VeryWeak && level != StrengthLevel::Weak) return std::nullopt;
  HealthFinding finding = About(record, HealthProblem::Weak);
  finding.level = level;
  return finding;
}

std::optional<HealthFinding> Age(const Record& record, long long today) {
  const std::optional<long long> changed =
      ShownDay(record.values[Field::PasswordChangedDate].number);
  if (changed && today - *changed <= kOldAfterDays) return std::nullopt;
  HealthFinding finding = About(record, HealthProblem::Old);
  finding.days = changed ? today - *changed : -1;
  return finding;
}

// Worse first: the problem's own order, then within a problem the weaker,
// the more widely shared and the older (never stamped oldest of all).
auto Severity(const HealthFinding& f) {
  const long long age = f.days < 0 ? std::numeric_limits<long long>::min() : -f.days;
  return std::make_tuple(static_cast<int>(f.problem), static_cast<int>(f.level),
                         -static_cast<long long>(f.others), age);
}

}  // namespace

HealthReport CheckPasswordHealth(RecordTable& table, long long today) {
  HealthReport report;
  std::vector<const Record*> records;
  std::unordered_map<std::string_view, std::size_t> uses;
  for (table.first(); !table.eof(); table.next()) {
    const Record& record = table.current();
    records.push_back(&record);
    if (!PasswordOf(record).empty()) ++uses[PasswordOf(record)];
  }
  report.records = records.size();
  for (const Record* record : records) {
    if (PasswordOf(*record).empty()) {
      report.findings.push_back(About(*record, HealthProblem::Empty));
      ++report.empty;
      continue;
    }
    if (std::optional<HealthFinding> weak = Weakness(*record)) {
      report.findings.push_back(std::move(*weak));
      ++report.weak;
    }
    if (const std::size_t shared = uses[PasswordOf(*record)]; shared > 1) {
      HealthFinding finding = About(*record, HealthProblem::Reused);
      finding.others = shared - 1;
      report.findings.push_back(std::move(finding));
      ++report.reused;
    }
    if (std::optional<HealthFinding> old = Age(*record, today)) {
      report.findings.push_back(std::move(*old));
      ++report.old;
    }
  }
  std::stable_sort(
      report.findings.begin(), report.findings.end(),
      [](const HealthFinding& a, const HealthFinding& b) { return Severity(a) < Severity(b); });
  return report;
}

}  // namespace quilor
