#pragma once

#include <QString>

// Every text the record editor, its script menu and the script help show.
namespace quilor::editor_texts {

inline const QString kHeader = QStringLiteral("  Kayıt Girişi");
inline const QString kPreviousRecordHint = QStringLiteral("Önceki kayıt");
inline const QString kNextRecordHint = QStringLiteral("Sonraki kayıt");

inline const QString kGeneralGroup = QStringLiteral("Genel Tanımlar");
inline const QString kTitleLabel = QStringLiteral("Tanımı");
inline const QString kGroupLabel = QStringLiteral("Grubu");
inline const QString kDescriptionLabel = QStringLiteral("Açıklama");
inline const QString kWebAddressLabel = QStringLiteral("Web / Mail Adresi");
inline const QString kTrayCheck =
    QStringLiteral("Sistem tepsisi \"Web adresini aç\" menüsünde görünsün");
inline const QString kSpecialCode1Label = QStringLiteral("Özel Kodu 1");
inline const QString kSpecialCode2Label = QStringLiteral("Özel Kodu 2");
inline const QString kOpenWebAddressCaption = QStringLiteral("->");
inline const QString kOpenWebAddressHint = QStringLiteral("Web adresini aç");

inline const QString kAutoFillGroup = QStringLiteral("Otomatik Form Doldurma");
inline const QString kScriptLabel = QStringLiteral("Script");
inline const QString kScriptNote = QStringLiteral("Seçenekler için sağ tıklayınız.");
inline const QString kScriptHelpCaption = QStringLiteral("?");
inline const QString kScriptHelpHint = QStringLiteral("Nasıl çalışır");

inline const QString kSecretsGroup = QStringLiteral("Kullanıcı Adı ve Şifre Bilgileri");
inline const QString kDefaultUserNameCaption = QStringLiteral("Kullanıcı Adı");
inline const QString kDefaultPasswordCaption = QStringLiteral("Şifre");
inline const QString kDefaultPassword2Caption = QStringLiteral("Şifre 2");
inline const QString kCaptionHint = QStringLiteral(
    "Bu başlığın üzerine tıklayarak istediğiniz şekilde değiştirebilirsiniz. Her kayıt için "
    "ayrı ayrı tanım yapabilirsiniz.");
inline const QString kRevealCaption = QStringLiteral("*");
inline const QString kRevealUserNameHint = QStringLiteral("Kullanıcı adını Göster / Gizle");
inline const QString kRevealPasswordHint = QStringLiteral("Şifreyi Göster / Gizle");

inline const QString kSave = QStringLiteral("Kaydet");
inline const QString kCancel = QStringLiteral("Vazgeç");

inline const QString kRecordDatePrefix = QStringLiteral("Kayıt Tarihi ");
inline const QString kLastChangePrefix = QStringLiteral("Son Düzenleme ");

inline const QString kNewCaptionPrompt =
    QStringLiteral("Yeni başlık giriniz. (Varsayılan başlığa dönmek için boş giriniz.)");

inline const QString kQuestionCaption = QStringLiteral("Soru");
inline const QString kSaveChangesQuestion =
    QStringLiteral("Değişiklikleri kaydetmek istiyor musunuz?");
inline const QString kAtLastRecord = QStringLiteral("Şu an son kayıttasınız.");
inline const QString kAtFirstRecord = QStringLiteral("Şu an ilk kayıttasınız.");

inline const QString kEnterTitle = QStringLiteral("Şifrenin tanımını giriniz.");
inline const QString kEnterPassword = QStringLiteral("Şifrenizi giriniz.");
inline const QString kNoWebAddress = QStringLiteral("Web adresi girilmemiş");
inline const QString kNotAWebAddress = QStringLiteral("Bu bir web adresi değil.");
// A character the data file's code page cannot hold: field, character.
inline const QString kUnusableCharacter = QStringLiteral("%1 alanında kullanılamayan karakter: %2");
inline const QString kUnusableSecretCharacter =
    QStringLiteral("%1 alanının %2. karakteri kullanılamaz.");
// A secret whose protected form would not fit: field, byte limit.
inline const QString kSecretTooLong = QStringLiteral("%1 en fazla %2 bayt olabilir.");
// A value the data file would hand back without its enclosing quotes: field.
inline const QString kEnclosedInQuotes = QStringLiteral(
    "%1 aynı tırnak işaretiyle başlayıp bitemez; kayıt dosyası bu tırnakları saklamaz.");
// The record being edited is no longer in the table.
inline const QString kRecordGone = QStringLiteral("Düzenlenen kayıt bulunamadı.");
// Names in the messages above for the caption fields.
inline const QString kCaptionFieldName = QStringLiteral("Başlık");

inline const QString kScriptHelpHeader = QStringLiteral("  Script Yardımı");
inline const QString kClose = QStringLiteral("Kapat");

}  // namespace quilor::editor_texts
