#pragma once

#include <QString>
#include <string>

namespace quilor {

// The typed password as the Windows-1254 bytes that key the cipher. A
// character the code page cannot hold is refused with a notice that gives
// its position, never the character itself, which is part of the password
// (AbortWithInfo): replacing it silently would key the data with a password
// the user never typed.
std::string PasswordBytes(const QString& typed);

}  // namespace quilor
