#pragma once

// What the store tells the user about the data file, UTF-8. Each text
// follows the file's path (and ": ") in the message.
namespace quilor {

inline constexpr const char* kFileTooLargeText =
    "dosya 64 MB'tan büyük olduğu için okunmadı; dosya değiştirilmedi";
inline constexpr const char* kNoRecordsInFileText =
    "dosyada okunabilen bir kayıt yok; dosya değiştirilmedi";
// A file whose sections, written out in full as records, would no longer be
// readable: refused before anything of it is kept or written.
inline constexpr const char* kRewriteTooLargeText =
    "dosyadaki bölümler kayıt olarak yazıldığında dosya 64 MB'ı aşacağı için okunmadı; "
    "dosya değiştirilmedi";
// After "Unable to write to <path>: ".
inline constexpr const char* kSaveTooLargeText =
    "kayıtlar yazıldığında dosya 64 MB'ı aşacağı için kaydedilmedi; dosya değiştirilmedi";

}  // namespace quilor
