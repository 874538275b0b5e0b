#pragma once

#include <QString>

// Every text of the password health report, in the program and in quilor-cli.
namespace quilor::health_texts {

inline const QString kTitle = QStringLiteral("Şifre Sağlığı");
// "12 kayıttan 3'ü zayıf, 2'si ortak, 5'i eski"; ", 1'i boş" follows when
// a record has no password.
inline const QString kOutOf = QStringLiteral(" kayıttan ");
inline const QString kWeakCount = QStringLiteral(" zayıf, ");
inline const QString kReusedCount = QStringLiteral(" ortak, ");
inline const QString kOldCount = QStringLiteral(" eski");
inline const QString kEmptyCount = QStringLiteral(" boş");
inline const QString kNothingFound = QStringLiteral("Sorunlu şifre yok.");

inline const QString kEmpty = QStringLiteral("Şifre boş");
// "Aynı şifre 2 başka kayıtta da var"
inline const QString kReusedBefore = QStringLiteral("Aynı şifre ");
inline const QString kReusedAfter = QStringLiteral(" başka kayıtta da var");
// "Şifre 400 gündür değiştirilmedi"
inline const QString kOldBefore = QStringLiteral("Şifre ");
inline const QString kOldAfter = QStringLiteral(" gündür değiştirilmedi");
inline const QString kNeverChanged = QStringLiteral("Şifrenin değiştirildiği tarih yok");

// Columns of the report in the program.
inline const QString kTitleColumn = QStringLiteral("Tanım");
inline const QString kGroupColumn = QStringLiteral("Grubu");
inline const QString kProblemColumn = QStringLiteral("Sorun");
inline const QString kOpenHint = QStringLiteral("Kaydı düzenlemek için çift tıklayın.");
inline const QString kClose = QStringLiteral("Kapat");

}  // namespace quilor::health_texts
