#pragma once

// The texts of import-csv and export-csv. UTF-8.
namespace quilor::cli::text {

// CSV syntax.
inline constexpr const char* kCsvError = "CSV hatası: ";
inline constexpr const char* kCsvStrayQuote = "tırnaksız bir alanın içinde tırnak var";
inline constexpr const char* kCsvAfterQuote =
    "kapanan tırnaktan sonra ',' ya da satır sonu bekleniyordu";
inline constexpr const char* kCsvOpenQuote = "bu tırnak kapanmıyor";
inline constexpr const char* kCsvBadUtf8 = "geçersiz UTF-8 (dosya UTF-8 olarak kaydedilmeli)";

// Columns.
inline constexpr const char* kCsvNoHeader = "başlık satırı yok";
inline constexpr const char* kCsvNoKnownColumn =
    "başlık satırında tanınan bir sütun yok (Group/Grup, Title/Name, Username/Login, Password, "
    "URL/Web, Notes)";
inline constexpr const char* kCsvSameColumnTwice = "iki sütun aynı alana gidiyor: ";
inline constexpr const char* kCsvFieldCount = "alan sayısı başlık satırındakinden farklı: ";
inline constexpr const char* kCsvUnknownColumns = "bu sütunlar tanınmadı ve alınmadı: ";

// Values.
inline constexpr const char* kCsvLine = "satır ";
inline constexpr const char* kCsvRefused =
    "şu değerler veri dosyasına olduğu gibi yazılamıyor; hiçbir şey yazılmadı:";
inline constexpr const char* kCsvTruncateHint =
    "uzun değerleri kısaltarak almak için --truncate verin";
inline constexpr const char* kCsvJoinLinesHint =
    "çok satırlı değerleri tek satır olarak (satırlar \" / \" ile birleşir) almak için "
    "--join-lines verin";
inline constexpr const char* kCsvJoined = "satırları \" / \" ile birleştirildi: ";
inline constexpr const char* kCsvDateUnread = "tarih okunamadı, alınmadı: ";
inline constexpr const char* kCsvCut = "kısaltıldı: ";
inline constexpr const char* kCsvCutArrow = " bayttan ";
inline constexpr const char* kCsvCutEnd = " bayta";

}  // namespace quilor::cli::text
