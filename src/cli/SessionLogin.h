#pragma once

#include <string>
#include <string_view>

#include "MasterPasswordInput.h"
#include "SecureWipe.h"
#include "Session.h"

namespace quilor::cli {

// The master password as typed (Windows-1254 bytes), asked once for every
// session a command opens with it; overwritten when it goes.
class AskedPassword {
 public:
  AskedPassword() : text_(ReadMasterPassword(false)) {}
  ~AskedPassword() { WipeText(text_); }
  AskedPassword(const AskedPassword&) = delete;
  AskedPassword& operator=(const AskedPassword&) = delete;
  std::string_view text() const { return text_; }

 private:
  std::string text_;
};

// Logs session in: its file read and verified under password. Throws
// CliError: the wrong password status with the program's message, the file
// status when the file cannot be read or is gone.
void LogIn(Session& session, const AskedPassword& password);

// What a command on an existing data file does first: the file is checked
// (CheckReadableFile) before the master password is asked, so that a wrong
// path asks for no secret; then the session logs in with it.
void LogInAsked(Session& session);

}  // namespace quilor::cli
