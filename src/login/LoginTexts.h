#pragma once

#include <QString>

namespace quilor::login_texts {

inline const QString kPasswordLabel = QStringLiteral("Ana Şifre");
inline const QString kRepeatLabel = QStringLiteral("Tekrar");
inline const QString kWarning = QStringLiteral(
    "DİKKAT : Ana şifrenizi kesinlikle kaybetmeyiniz. Verileriniz bu şifreye göre kodlandığı "
    "için ana şifrenin unutulması durumunda verileriniz hiçbir şekilde geri alınamaz");
inline const QString kLoginAndHide = QStringLiteral("Giriş Yap ve Gizle");
inline const QString kLogin = QStringLiteral("Giriş");
inline const QString kCancel = QStringLiteral("Vazgeç");
inline const QString kClose = QStringLiteral("Kapat");

inline const QString kEnterPassword = QStringLiteral("Şifrenizi giriniz.");
inline const QString kEnterRepeat = QStringLiteral("Şifre tekrarını giriniz.");
inline const QString kPasswordsDiffer = QStringLiteral("İki şifre de aynı olmalıdır.");
inline const QString kWrongPassword = QStringLiteral("Şifre yanlış");
inline const QString kQuestionCaption = QStringLiteral("Soru");
inline const QString kWeakPasswordQuestion = QStringLiteral(
    "Bu ana şifre kolay tahmin edilebilir. Veri dosyası ele geçerse şifre hızla denenebilir. "
    "Yine de kullanılsın mı?");
inline const QString kUnusableCharacter = QStringLiteral("Şifrenin %1. karakteri kullanılamaz.");

// Changing the master password.
inline const QString kChangeHeader = QStringLiteral("  Ana Şifre Değiştirme");
inline const QString kCurrentPasswordLabel = QStringLiteral("Mevcut Şifre");
inline const QString kNewPasswordLabel = QStringLiteral("Yeni Şifre");
inline const QString kNewPasswordRepeatLabel = QStringLiteral("Şifre Tekrar");
inline const QString kOk = QStringLiteral("Tamam");
inline const QString kEnterCurrentPassword = QStringLiteral("Mevcut şifrenizi giriniz.");
inline const QString kCurrentPasswordWrong = QStringLiteral("Mevcut şifre yanlış.");
inline const QString kEnterNewPassword = QStringLiteral("Yeni şifrenizi giriniz.");
inline const QString kNewPasswordsDiffer = QStringLiteral("Her iki şifre de aynı olmalıdır.");
inline const QString kPasswordChanged = QStringLiteral("Şifreniz başarıyla değiştirildi.");

}  // namespace quilor::login_texts
