#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>
#include <optional>

namespace quilor {

// The group drop-down's items: the groups of the listed rows in list order,
// each text once, letter case not counting (as the user's locale compares
// case, Turkish dotted and dotless I included).
QStringList UniqueGroups(const QStringList& listedGroups, const QLocale& locale = QLocale());

enum class Step { Previous, Next };

// The list row a step leads to from selectedRow, or nothing at either end.
std::optional<int> StepTarget(int selectedRow, int rowCount, Step step);

// What the web-address button refuses, with the message; empty when it may open.
QString WebAddressRefusal(const QString& address);

}  // namespace quilor
