#pragma once

#include <QString>

// How to reach the maker: shown in the about box, used by the version check.
namespace quilor::maker {

inline const QString kCompany = QStringLiteral("ZENTARIS Yazılım");
inline const QString kWebAddress = QStringLiteral("www.zentaris.com.tr");
inline const QString kSupportMail = QStringLiteral("destek@zentaris.com.tr");
inline const QString kTelephone = QStringLiteral("+90 212 555 01 02");

}  // namespace quilor::maker
