#pragma once

// What the user reads when the lock folder cannot be trusted or used. UTF-8.
namespace quilor::text {

inline constexpr const char* kLockFolderOtherOwner = "Kilit klasörü başka bir kullanıcıya ait: ";
inline constexpr const char* kLockFolderOpenToOthers =
    "Kilit klasörüne başka kullanıcılar da erişebiliyor (izinleri 0700 olmalı): ";
inline constexpr const char* kLockFolderNotAFolder =
    "Kilit klasörünün yerinde klasör olmayan bir şey var: ";
inline constexpr const char* kLockFolderUnusable = "Kilit klasörü kullanılamıyor: ";
inline constexpr const char* kLockFileUnusable = "Kilit dosyası kullanılamıyor: ";

}  // namespace quilor::text
