#pragma once

#include <QString>

namespace quilor {

inline const QString CompanyName = QStringLiteral("ZENTARIS");
inline const QString ProductName = QStringLiteral("Quilor");
inline const QString ProgramCode = QStringLiteral("ZQR4");
inline const QString ProgramVersion = QStringLiteral("s1.02.01");
inline const QString VersionSuffix = QStringLiteral("f");

// "ZENTARIS Quilor": the application title and the error display's caption.
inline QString ApplicationTitle() { return CompanyName + ' ' + ProductName; }

// "ZENTARIS Quilor s1.02.01f": the main window's caption, which every dialog takes.
inline QString MainCaption() { return ApplicationTitle() + ' ' + ProgramVersion + VersionSuffix; }

// The header panel text starts with three blanks.
inline QString HeaderCaption() { return QStringLiteral("   ") + ApplicationTitle(); }

}  // namespace quilor
