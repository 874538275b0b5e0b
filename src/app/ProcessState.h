#pragma once

#include <string>

namespace quilor {

// Process-wide state set up at start: lives for the whole run, never saved.
// MasterPassword holds Windows-1254 bytes and is never written anywhere.
inline std::string MasterPassword;
inline std::string SortField = "ALAN2";
inline bool SortDescending = false;

}  // namespace quilor
