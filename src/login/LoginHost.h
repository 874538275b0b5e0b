#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace quilor {

// What the master password dialogs need of the main window.
class LoginHost {
 public:
  virtual ~LoginHost() = default;
  virtual QString caption() const = 0;
  // Logs in on the data file with password (Windows-1254 bytes) and shows
  // its records; throws WrongMasterPassword when the password does not fit.
  virtual void logIn(std::string_view password) = 0;
  // False when password is not the master password; otherwise the records
  // are back in the window.
  virtual bool unlock(std::string_view password) = 0;
  // True when password (Windows-1254 bytes) is the master password.
  virtual bool masterPasswordMatches(std::string_view password) const = 0;
  // Writes every record under password, which then becomes the master
  // password, and shows them as read back. A failed write keeps the old one.
  virtual void changeMasterPassword(std::string_view password) = 0;
  virtual void showMainWindow() = 0;
  virtual void showTrayIcon() = 0;
  // The idle lock runs only where the desktop can tell the idle time.
  virtual bool idleTimeAvailable() const = 0;
  virtual void setIdleTimerActive(bool active) = 0;
};

}  // namespace quilor
