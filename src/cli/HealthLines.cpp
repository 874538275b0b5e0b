#include "HealthLines.h"

#include "HealthWording.h"
#include "TextConversion.h"
#include "VisibleText.h"

namespace quilor::cli {

namespace {

std::string Shown(std::string_view cp1254, const TextStyle& style) {
  const std::string text = Cp1254ToUtf8(cp1254);
  return style.visibleControls ? WithVisibleControls(text) : text;
}

}  // namespace

std::string HealthLines(const HealthReport& report, const TextStyle& style) {
  std::string out;
  for (const HealthFinding& finding : report.findings) {
    out.append(Shown(finding.title, style))
        .append("\t")
        .append(Shown(finding.group, style))
        .append("\t")
        .append(FindingText(finding).toStdString())
        .append("\n");
  }
  return out;
}

std::string HealthSummary(const HealthReport& report) {
  return HealthHeader(report).toStdString() + "\n";
}

}  // namespace quilor::cli
