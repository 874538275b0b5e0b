#pragma once

#include <QString>

// Every text the version check shows, in one place.
namespace quilor::update_texts {

inline const QString kTitle = QStringLiteral("Sürüm Kontrol");
inline const QString kCompanyLabel = QStringLiteral("Üretici Firma ");
inline const QString kProgramNameLabel = QStringLiteral("Programın Adı ");
inline const QString kProgramCodeLabel = QStringLiteral("Programın Kodu ");
inline const QString kNewestReleaseLabel = QStringLiteral("Programın Sürümü ");
inline const QString kReleaseInUseLabel = QStringLiteral("Kullanılan Sürüm ");
inline const QString kStatusLabel = QStringLiteral("Durum ");

inline const QString kOk = QStringLiteral("&Tamam");
inline const QString kUpdate = QStringLiteral("Güncelle");
inline const QString kUpdateHint = QStringLiteral("Güncelleme için siteye bağlan");
inline const QString kClose = QStringLiteral("Kapat");
inline const QString kCloseHint = QStringLiteral("Pencereyi kapat");
inline const QString kPleaseWait = QStringLiteral("Lütfen Bekleyiniz...");

inline const QString kUpdateDue = QStringLiteral("Güncelleme Yapılmalı.");
inline const QString kUpToDate =
    QStringLiteral("Şu Anda Programın Son Sürümünü Kullanmaktasınız...");

inline const QString kFailureCaption = QStringLiteral("Dikkat");
inline const QString kTimedOut = QStringLiteral("İstek zaman aşımına uğradı.") + '\n' +
                                 QStringLiteral("Lütfen internet bağlantınızı kontrol ediniz...");
inline const QString kNoConnection =
    QStringLiteral("Sürüm sunucusuna bağlanılamadı. İnternet bağlantınızı kontrol ediniz.");
inline const QString kBadAnswer =
    QStringLiteral("Sürüm sunucusu geçerli bir yanıt vermedi. Bir süre sonra yeniden deneyiniz.");

}  // namespace quilor::update_texts
