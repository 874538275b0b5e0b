#pragma once

#include <QString>

// What the auto-fill dialog shows, each text once.
namespace quilor::autofill_texts {

inline const QString kHeader = QStringLiteral("  Otomatik Form Doldurma");
inline const QString kRecordsColumn = QStringLiteral("Kayıtlı Şifreler");
inline const QString kWindowsColumn = QStringLiteral("Açık Pencereler");
inline const QString kConfirm = QStringLiteral("Tamam");
inline const QString kCancel = QStringLiteral("Vazgeç");
// After the title of a record that types the default script.
inline const QString kDefaultScriptMark = QStringLiteral(" (varsayılan)");
// Lists every record while several fit the chosen window.
inline const QString kShowAll = QStringLiteral("Tümünü göster");
inline const QString kWaylandNote =
    QStringLiteral("Wayland oturumunda yalnızca X11 (Xwayland) pencerelerine yazılabilir.");
inline const QString kPickBoth = QStringLiteral("İki listeden de birer seçim yapınız.");
// The caption of the key engine's own messages.
inline const QString kEngineCaption = QStringLiteral("SendKeys");
// %1 the record's title, %2 the wait in milliseconds.
inline const QString kWaitTooLong = QStringLiteral(
    "\"%1\" kaydının betiğinde %2 milisaniyelik bir bekleme var. Bir bekleme en çok 60000 "
    "milisaniye (1 dakika) olabilir; betik yazılmadı. Kaydı düzenleyip beklemeyi kısaltın.");
inline const QString kNoDesktop = QStringLiteral(
    "Otomatik doldurma bu oturumda kullanılamıyor: tuşları başka programlara gönderebilmek için "
    "bir X sunucusu (XTEST eklentisiyle) gerekiyor.");

}  // namespace quilor::autofill_texts
