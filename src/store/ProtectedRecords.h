#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "RecordTable.h"

namespace quilor {

inline constexpr std::string_view kUserNameMarker = "KULLANICIADI";
inline constexpr std::string_view kPasswordMarker = "QARVELINOPESKA";
inline constexpr std::string_view kPassword2Marker = "QARVELINOPESKA2";

// UTF-8; shown by the window layer when the master password does not fit.
inline constexpr const char* kWrongMasterPasswordText = "Ana şifreniz geçersiz.";

std::string ProtectValue(std::string_view plain, std::string_view masterPassword);
std::string UnprotectValue(std::string_view protectedText, std::string_view masterPassword);

// Steps the window layer hands to LoadRecords; the store knows no window.
struct LoadSteps {
  // Tells the user that the master password does not fit (info box, focus
  // back into the password box). LoadRecords then throws SilentAbort.
  std::function<void()> reportWrongPassword;
  // Rebuilds the tray record menu, refills the list and shows the count.
  std::function<void()> refreshViews;
};

// Protects the three secret fields of every record and writes the file at
// path. The table keeps its plain values, also when the save fails. A secret
// whose protected form would not fit its field is refused with an error that
// names the field and its limit, and nothing is written.
void SaveRecords(RecordTable& table, const std::string& path, std::string_view masterPassword);

// Empties the table, reads the file at path when it exists, verifies the
// master password against every record's password and restores the plain
// values, then runs steps.refreshViews. On a wrong master password:
// steps.reportWrongPassword, then throws SilentAbort.
void LoadRecords(RecordTable& table, const std::string& path, std::string_view masterPassword,
                 const LoadSteps& steps);

}  // namespace quilor
