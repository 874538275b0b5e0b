#pragma once

#include <QString>
#include <QStringList>

#include "MakerContacts.h"

// Every text the about box shows, in one place.
namespace quilor::about_texts {

inline const QString kStaffHint = QStringLiteral("ZENTARIS Team");
inline const QString kPhysicalMemory = QStringLiteral("Fiziksel Hafıza :");
inline const QString kMemoryInUse = QStringLiteral("Kullanımdaki Hafıza :");
inline const QString kOk = QStringLiteral("Tamam");
// The status bar: this, then the program name and release.
inline const QString kStatusPrefix = QStringLiteral("ZENTARIS ");

// The staff panel, before the lines a caller adds.
inline const QStringList kStaff{
    QStringLiteral("ZENTARIS Yazılım Ekibi"), QString(),
    QStringLiteral("Proje Yönetimi"),         QStringLiteral("Yazılım Geliştirme"),
    QStringLiteral("Arayüz Tasarımı"),        QStringLiteral("Şifreleme ve Güvenlik"),
    QStringLiteral("Test ve Kalite"),         QStringLiteral("Kullanıcı Desteği"),
};

// The credits panel after its first line, the program name.
inline const QStringList kCredits{
    QString(),
    QStringLiteral("Telif Hakkı © ZENTARIS Yazılım"),
    QStringLiteral("Tüm hakları saklıdır."),
    QString(),
    QStringLiteral("Web: ") + maker::kWebAddress,
    QStringLiteral("E-posta: ") + maker::kSupportMail,
    QStringLiteral("Telefon: ") + maker::kTelephone,
};

}  // namespace quilor::about_texts
