#include "EditorRules.h"

#include <QCollator>

#include "EditorTexts.h"

namespace quilor {

QStringList UniqueGroups(const QStringList& listedGroups, const QLocale& locale) {
  // The C locale's collator would compare code points and keep case; the
  // root collation ignores it, as the record sort does for such a user.
  QCollator collator(
      locale.language() == QLocale::C ? QLocale(QLocale::English, QLocale::UnitedStates) : locale);
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  QStringList unique;
  for (const QString& group : listedGroups) {
    const bool known = std::any_of(unique.cbegin(), unique.cend(), [&](const QString& seen) {
      return collator.compare(seen, group) == 0;
    });
    if (!known) unique << group;
  }
  return unique;
}

std::optional<int> StepTarget(int selectedRow, int rowCount, Step step) {
  const int target = step == Step::Next ? selectedRow + 1 : selectedRow - 1;
  if (target < 0 || target >= rowCount) return std::nullopt;
  return target;
}

QString WebAddressRefusal(const QString& address) {
  if (address.isEmpty()) return editor_texts::kNoWebAddress;
  if (address.contains('@')) return editor_texts::kNotAWebAddress;
  return {};
}

}  // namespace quilor
