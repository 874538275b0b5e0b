#pragma once

namespace quilor {

// Where the main window stands. Before the login it is hidden with no tray
// icon. After it the window is shown, or hidden in the tray, which counts as
// locked: it comes back only once the master password has been typed again.
class WindowLock {
 public:
  enum class State { BeforeLogin, Shown, Hidden, ReAuthenticating };

  State state() const { return state_; }
  bool windowShown() const { return state_ == State::Shown; }
  bool trayIconShown() const {
    return state_ == State::Hidden || state_ == State::ReAuthenticating;
  }

  // The login's two ways in: "Giriş" shows the window, "Giriş Yap ve Gizle"
  // goes straight to the tray. Only the first login counts.
  void loggedIn(bool hidden);
  // "Gizle" and the idle lock: a shown window goes to the tray.
  void hide();
  // A request to show the hidden window again. True when the master password
  // is to be asked now; false when the window is not hidden, or the password
  // is being asked already.
  bool beginReAuthentication();
  // The answer to that request: the right password shows the window, anything
  // else leaves it in the tray.
  void endReAuthentication(bool accepted);

 private:
  State state_ = State::BeforeLogin;
};

}  // namespace quilor
