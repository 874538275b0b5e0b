#pragma once

#include <QString>

namespace quilor {

// What the master password dialog needs of the main window.
class LoginHost {
 public:
  virtual ~LoginHost() = default;
  virtual QString caption() const = 0;
  // LoadRecords with the window's steps; throws SilentAbort when the master
  // password does not fit (the user has been told already).
  virtual void loadRecords() = 0;
  virtual void showMainWindow() = 0;
  virtual void showTrayIcon() = 0;
  // The idle lock runs only where the desktop can tell the idle time.
  virtual bool idleTimeAvailable() const = 0;
  virtual void setIdleTimerActive(bool active) = 0;
};

}  // namespace quilor
