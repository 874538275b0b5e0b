#include "SessionLogin.h"

#include <exception>

#include "CliTexts.h"
#include "ExitCodes.h"
#include "InputFiles.h"
#include "ProtectedRecords.h"

namespace quilor::cli {

void LogIn(Session& session, const AskedPassword& password) {
  const std::string& path = session.dataFilePath();
  try {
    session.logIn(password.text());
  } catch (const WrongMasterPassword&) {
    throw CliError(kExitWrongPassword, kWrongMasterPasswordText);
  } catch (const std::exception& e) {
    throw CliError(kExitFile, path + ": " + text::kFileUnreadable + " (" + e.what() + ")");
  }
  // Gone since it was checked: here no file is no empty collection.
  if (!session.lastReadIdentity().exists)
    throw CliError(kExitFile, path + ": " + text::kFileMissing);
}

void LogInAsked(Session& session) {
  CheckReadableFile(session.dataFilePath());
  const AskedPassword password;
  LogIn(session, password);
}

}  // namespace quilor::cli
