#pragma once

#include <QString>

// Every text the strength meter and the password generator show.
namespace quilor::password_texts {

inline const QString kVeryWeak = QStringLiteral("Çok zayıf");
inline const QString kWeak = QStringLiteral("Zayıf");
inline const QString kFair = QStringLiteral("Orta");
inline const QString kStrong = QStringLiteral("Güçlü");
inline const QString kVeryStrong = QStringLiteral("Çok güçlü");
inline const QString kMeterName = QStringLiteral("Şifre gücü");
// Followed by the number of guesses, e.g. "yaklaşık 3,2 × 10^12".
inline const QString kGuessesHint = QStringLiteral("Tahmin için gereken deneme sayısı: yaklaşık ");

inline const QString kGenerateCaption = QStringLiteral("Üret");
inline const QString kGenerateHint = QStringLiteral("Şifre üret");
inline const QString kLengthLabel = QStringLiteral("Uzunluk");
inline const QString kLowercaseCheck = QStringLiteral("Küçük harf (a–z)");
inline const QString kUppercaseCheck = QStringLiteral("Büyük harf (A–Z)");
inline const QString kDigitsCheck = QStringLiteral("Rakam (0–9)");
// Followed by the symbols themselves.
inline const QString kSymbolsCheck = QStringLiteral("Simge ");
inline const QString kTurkishCheck = QStringLiteral("Türkçe harf (ç ğ ı ö ş ü)");
inline const QString kTurkishHint = QStringLiteral(
    "Birçok site ve otomatik doldurulan bazı programlar Türkçe harfleri kabul etmez.");
inline const QString kLookAlikesCheck = QStringLiteral("Benzer görünenleri kullanma (I l 1 O 0)");
inline const QString kPasswordLabel = QStringLiteral("Şifre");
inline const QString kEntropyPrefix = QStringLiteral("Entropi: ");
inline const QString kEntropySuffix = QStringLiteral(" bit");
inline const QString kNoClassChosen = QStringLiteral("En az bir karakter türü seçiniz.");
inline const QString kRegenerate = QStringLiteral("Yenile");
inline const QString kUse = QStringLiteral("Kullan");
inline const QString kCancel = QStringLiteral("Vazgeç");

}  // namespace quilor::password_texts
