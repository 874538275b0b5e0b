#pragma once

#include <QString>
#include <array>

// Every text the main window shows, in one place.
namespace quilor::texts {

// Record list columns, in display order.
inline const std::array<QString, 9> kColumnCaptions{
    QStringLiteral("Tanım"),
    QStringLiteral("Grubu"),
    QStringLiteral("Açıklama"),
    QStringLiteral("Web Adres"),
    QStringLiteral("Özel Kodu 1"),
    QStringLiteral("Özel Kodu 2"),
    QStringLiteral("Kayıt Tarihi"),
    QStringLiteral("Şifre 1 Değiştirme"),
    QStringLiteral("Şifre 2 Değiştirme"),
};
inline constexpr std::array<int, 9> kColumnWidths{250, 150, 200, 150, 100, 100, 100, 150, 150};

// Status bar and search panel.
inline const QString kRecordCountPrefix = QStringLiteral("Toplam ");
inline const QString kRecordCountSuffix = QStringLiteral(" Kayıt");
inline const QString kClipboardCountingDown = QStringLiteral("Pano süresi...");
inline const QString kSearchLabel = QStringLiteral("Arama");
inline const QString kHotKeyLabel = QStringLiteral("Otomatik doldurma kısayolu CTRL + ALT + D");

// What the empty list says: how to add the first record, or that the search
// found nothing.
inline const QString kNoRecordsHint = QStringLiteral(
    "Henüz kayıt yok. Yeni bir şifre kaydı eklemek için araç çubuğundaki \"Yeni Kayıt\" "
    "düğmesine basın.");
inline const QString kNothingFoundHint =
    QStringLiteral("Aramayla eşleşen kayıt bulunamadı. Aramayı temizlemek için Esc tuşuna basın.");

// A data file that a sync engine keeps in step with other machines.
inline const QString kChangesFromElsewhereTaken = QStringLiteral(
    "Veri dosyası başka bir yerde değiştirilmişti; oradaki değişiklikler de alındı ve "
    "sizinkiyle birlikte kaydedildi.");
inline const QString kRecordChangedElsewhere = QStringLiteral(
    "Bu kayıt başka bir yerde de değiştirildi; kayıtlar yeniden okundu. Değişikliğinizi kontrol "
    "edip tekrar kaydedin.");
inline const QString kDeletedRecordChangedElsewhere = QStringLiteral(
    "Bu kayıt başka bir yerde değiştirildi; kayıtlar yeniden okundu ve kayıt silinmedi. Kaydı "
    "kontrol edip gerekirse tekrar silin.");
inline const QString kFileNoLongerOpens = QStringLiteral(
    "Veri dosyası başka bir yerde değiştirildi ve artık bu ana şifreyle açılmıyor; üzerine "
    "hiçbir şey yazılmadı. Programı kapatıp yeniden açın ve dosyanın şimdiki ana şifresini "
    "girin.");
inline const QString kConflictCopiesBefore =
    QStringLiteral("Veri dosyasının yanında bir eşitleme programının bıraktığı ");
inline const QString kConflictCopiesAfter = QStringLiteral(" çakışma kopyası var:");
inline const QString kConflictCopiesCommand = QStringLiteral(
    "\n\nKayıtlarını veri dosyasına katmak için programı kapatıp şunu çalıştırın; "
    "birleştirilen kopya sonra silinebilir:");
inline const QString kMergeCommand = QStringLiteral("quilor-cli merge");

// Moving records in and out as CSV.
inline const QString kTransferWhileLocked =
    QStringLiteral("Program kilitliyken kayıtlar içe ya da dışa aktarılamaz.");
inline const QString kCsvFilter = QStringLiteral("CSV dosyaları (*.csv);;Bütün dosyalar (*)");
inline const QString kCsvNotFound = QStringLiteral(": böyle bir dosya yok.");
inline const QString kExportOverDataFile = QStringLiteral(
    "Kayıtlar veri dosyasının kendisine dışa aktarılamaz; başka bir dosya adı seçin.");
inline const QString kExportFileName = QStringLiteral("kayitlar.csv");
inline const QString kImportCountSuffix = QStringLiteral(" kayıt eklenecek.");
inline const QString kImportLine = QStringLiteral("satır ");
inline const QString kImportRefused =
    QStringLiteral("Alınmayacak satırlar (değer veri dosyasına olduğu gibi yazılamıyor):");
inline const QString kImportDuplicates = QStringLiteral(
    "Atlanacak satırlar (tanımı, kullanıcı adı, şifresi ve web adresi aynı bir kayıt zaten "
    "var):");
inline const QString kImportJoined =
    QStringLiteral("Satırları \" / \" ile birleştirilerek tek satır yapılacak değerler:");
inline const QString kImportDatesUnread = QStringLiteral("Okunamadığı için alınmayacak tarihler:");
inline const QString kImportColumnsUnused = QStringLiteral("Tanınmayan, alınmayacak sütunlar:");
inline const QString kImportAdd = QStringLiteral("Ekle");
inline const QString kImportCancel = QStringLiteral("Vazgeç");
inline const QString kImportDoneSuffix = QStringLiteral(" kayıt eklendi.");
inline const QString kExportWarning = QStringLiteral(
    "CSV dosyası bütün şifreleri şifrelenmemiş, düz metin olarak tutar: dosyayı okuyabilen "
    "herkes şifrelerinizi görür. Dosyayı yalnızca gerektiği kadar saklayın ve işiniz bitince "
    "silin.\n\nDışa aktarılsın mı?");
inline const QString kExportDoneMiddle = QStringLiteral(" kayıt dışa aktarıldı: ");

// Context menu of the list (also the drop-down of "İşlemler").
inline const QString kCopyUserName = QStringLiteral("Kullanıcı Adını Panoya Kopyala");
inline const QString kCopyPassword = QStringLiteral("Şifreyi Panoya Kopyala");
inline const QString kCopyPassword2 = QStringLiteral("Şifre 2'yi Panoya Kopyala");
inline const QString kCopyWebAddress = QStringLiteral("Web Adresini Panoya Kopyala");
inline const QString kCopySpecialCode1 = QStringLiteral("Özel Kod 1'i Panoya Kopyala");
inline const QString kCopySpecialCode2 = QStringLiteral("Özel Kod 2'yi Panoya Kopyala");
inline const QString kAutoFill = QStringLiteral("Otomatik Doldur");
inline const QString kOpenWebAddress = QStringLiteral("Web Adresini Aç");

// Toolbar: captions and hints.
inline const QString kNewRecord = QStringLiteral("Yeni Kayıt");
inline const QString kNewRecordHint = QStringLiteral("Yeni şifre kaydı ekle");
inline const QString kEdit = QStringLiteral("Düzenle");
inline const QString kEditHint = QStringLiteral("Seçili şifre kaydını düzenle");
inline const QString kOperations = QStringLiteral("İşlemler");
inline const QString kOperationsHint = QStringLiteral("Panoya kopyalama işlemleri");
inline const QString kDelete = QStringLiteral("Sil");
inline const QString kDeleteHint = QStringLiteral("Seçili şifre kaydını sil");
inline const QString kChangeMasterPassword = QStringLiteral("Ana Şifre Değiştir");
inline const QString kChangeMasterPasswordHint = QStringLiteral("Ana şifreyi değiştir");
inline const QString kHide = QStringLiteral("Gizle");
inline const QString kClose = QStringLiteral("Kapat");

// Main menu.
inline const QString kFileMenu = QStringLiteral("Dosya");
inline const QString kVersionCheck = QStringLiteral("Sürüm Kontrol");
inline const QString kImportCsv = QStringLiteral("CSV'den İçe Aktar…");
inline const QString kExportCsv = QStringLiteral("CSV'ye Dışa Aktar…");
inline const QString kAbout = QStringLiteral("Hakkında");

// Tray icon and menu.
inline const QString kShow = QStringLiteral("Göster");
inline const QString kConnectToWebAddress = QStringLiteral("Web Adresine Bağlan");
// After the program's name in the tray icon's tooltip.
inline const QString kLockedToolTipSuffix = QStringLiteral(" (kilitli)");

// Notices and questions.
inline const QString kQuestionCaption = QStringLiteral("Soru");
inline const QString kSelectRecordFirst = QStringLiteral("Önce bir şifre seçiniz.");
inline const QString kConfirmDelete =
    QStringLiteral("Bu şifreyi silmek istediğinizden emin misiniz?");
inline const QString kNoWebAddress = QStringLiteral("Kaydın web adresi belirtilmemiş.");
inline const QString kConfirmQuit = QStringLiteral("Program kapatılsın mı?");

// Accessible names of widgets whose purpose no caption tells.
inline const QString kRecordListName = QStringLiteral("Şifre kayıtları");
inline const QString kClearSearchName = QStringLiteral("Aramayı temizle");
inline const QString kClipboardTimeName = QStringLiteral("Pano süresi");

}  // namespace quilor::texts
