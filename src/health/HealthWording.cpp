#include "HealthWording.h"

#include "CountWording.h"
#include "HealthTexts.h"
#include "PasswordTexts.h"

namespace quilor {

namespace texts = health_texts;

QString HealthHeader(const HealthReport& report) {
  auto count = [](std::size_t n) { return CountWithPossessive(static_cast<long long>(n)); };
  QString header = QString::number(report.records) + texts::kOutOf + count(report.weak) +
                   texts::kWeakCount + count(report.reused) + texts::kReusedCount +
                   count(report.old) + texts::kOldCount;
  if (report.empty > 0) header += QStringLiteral(", ") + count(report.empty) + texts::kEmptyCount;
  return header;
}

QString FindingText(const HealthFinding& finding) {
  switch (finding.problem) {
    case HealthProblem::Empty:
      return texts::kEmpty;
    case HealthProblem::Weak:
      return password_texts::kMeterName + QStringLiteral(": ") +
             (finding.level == StrengthLevel::VeryWeak ? password_texts::kVeryWeak
                                                       : password_texts::kWeak);
    case HealthProblem::Reused:
      return texts::kReusedBefore + QString::number(finding.others) + texts::kReusedAfter;
    case HealthProblem::Old:
      break;
  }
  if (finding.days < 0) return texts::kNeverChanged;
  return texts::kOldBefore + QString::number(finding.days) + texts::kOldAfter;
}

}  // namespace quilor
