#pragma once

#include <array>

#include "Fields.h"

// What the user reads when the data file cannot be read or written. UTF-8.
namespace quilor::store_texts {

// "<lead><path> (<why>).<advice>"
inline constexpr const char* kCannotWrite = "Veri dosyası kaydedilemedi: ";
inline constexpr const char* kCannotWriteAdvice =
    " Diskte yer olduğunu ve klasöre yazma izniniz bulunduğunu kontrol edip yeniden deneyiniz; "
    "önceki dosya değiştirilmedi.";
inline constexpr const char* kCannotRead = "Veri dosyası okunamadı: ";
inline constexpr const char* kCannotReadAdvice =
    " Dosyanın yerinde olduğunu ve okuma izniniz bulunduğunu kontrol edip yeniden deneyiniz.";
// A value the file cannot hold on one line: "<title>" kaydının <field> alanında ...
inline constexpr const char* kRecordOf = " kaydının ";
inline constexpr const char* kLineBreakInField = " alanında satır sonu var";
inline constexpr const char* kLineBreakAdvice =
    " Satır sonunu silip yeniden deneyiniz; önceki dosya değiştirilmedi.";

// After the file's path and ": ", as a file too large to read is refused: a
// file whose sections, written out in full as records, would pass the read
// limit, refused before anything of it is kept or written.
inline constexpr const char* kRewriteTooLarge =
    "dosyadaki bölümler kayıt olarak yazıldığında dosya 64 MB'ı aşacağı için okunmadı; "
    "dosya değiştirilmedi";
// A save whose file would pass the read limit: the why and the advice.
inline constexpr const char* kSaveTooLarge = "kayıtlarla dosya 64 MB'ı aşıyor";
inline constexpr const char* kSaveTooLargeAdvice =
    " Bazı kayıtları silip ya da kısaltıp yeniden deneyiniz; önceki dosya değiştirilmedi.";

inline constexpr const char* kNoCodePageConverter =
    "Türkçe kod sayfası dönüştürücüsü (iconv CP1254) bulunamadı. Sistemin C kitaplığının "
    "dönüştürücülerini (libc6 paketi) yeniden kurunuz.";

// Why a file operation failed, by the system's error number.
inline constexpr const char* kNoSpace = "diskte yer kalmadı";
inline constexpr const char* kNoPermission = "erişim izni yok";
inline constexpr const char* kReadOnlyDisk = "disk salt okunur";
inline constexpr const char* kDiskError = "disk okuma/yazma hatası";
inline constexpr const char* kNoSuchFolder = "klasör bulunamadı";
inline constexpr const char* kTooManyLinks = "sembolik bağlantılar bir döngü oluşturuyor";
inline constexpr const char* kNotAFile = "bu bir dosya değil";
inline constexpr const char* kSystemError = "sistem hata kodu ";
// The file changed under every attempt to read it whole.
inline constexpr const char* kKeepsChanging = "dosya okunurken sürekli değişti";
// The file changed under every attempt to save over it.
inline constexpr const char* kKeepsChangingWhileSaved = "dosya kaydedilirken sürekli değişti";
// A written record that the new file does not give back as it was meant:
// "<title>" and this.
inline constexpr const char* kNotReadBack = " kaydı dosyadan yazıldığı gibi geri okunmadı";
// The new file as a whole did not give the written records back.
inline constexpr const char* kRecordsNotReadBack = "yazılan kayıtlar dosyadan geri okunmadı";

// The fields as the messages name them, in table order.
inline constexpr std::array<const char*, kFieldCount> kFieldNames{"Kayıt Numarası",
                                                                  "Tanımı",
                                                                  "Kullanıcı Adı",
                                                                  "Şifre",
                                                                  "Şifre 2",
                                                                  "Açıklama",
                                                                  "Web / Mail Adresi",
                                                                  "Özel Kodu 1",
                                                                  "Özel Kodu 2",
                                                                  "Grubu",
                                                                  "Kayıt Tarihi",
                                                                  "Şifre 1 Değiştirme Tarihi",
                                                                  "Şifre 1 Değiştirme Saati",
                                                                  "Şifre 2 Değiştirme Tarihi",
                                                                  "Şifre 2 Değiştirme Saati",
                                                                  "Script",
                                                                  "Sistem Tepsisi",
                                                                  "Şifre 2 Başlığı",
                                                                  "Şifre Başlığı",
                                                                  "Kullanıcı Adı Başlığı"};

}  // namespace quilor::store_texts
