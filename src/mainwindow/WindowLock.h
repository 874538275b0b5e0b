#pragma once

namespace quilor {

// Where the main window stands. Before the login it is hidden with no tray
// icon. After it the window is shown, or hidden in the tray, which counts as
// locked: it comes back only once the master password has been typed again.
// From the tray, auto-fill can also be unlocked on its own: the password is
// asked, the auto-fill dialog opens, and the window stays in the tray.
class WindowLock {
 public:
  enum class State {
    BeforeLogin,
    Shown,
    Hidden,
    // The password is asked to show the window again.
    ReAuthenticating,
    // The password is asked for auto-fill, and the dialog may be open; the
    // window stays hidden throughout.
    UnlockingAutoFill,
  };

  // What a request for auto-fill (hot key, tray menu) is to do now.
  enum class AutoFill {
    Open,              // the window is shown: open the dialog at once
    AskPasswordFirst,  // the window is locked: ask, then open the dialog
    Ignore,            // before the login, or the password is being asked already
  };

  State state() const { return state_; }
  bool windowShown() const { return state_ == State::Shown; }
  // After the login and not shown: the window holds no record data and its
  // record commands act on nothing until the password is typed again.
  bool locked() const { return trayIconShown(); }
  bool trayIconShown() const {
    return state_ == State::Hidden || state_ == State::ReAuthenticating ||
           state_ == State::UnlockingAutoFill;
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
  // A request for auto-fill. AskPasswordFirst holds every other request off
  // until endAutoFill().
  AutoFill beginAutoFill();
  // The password was refused, or the auto-fill dialog it opened has closed.
  void endAutoFill();

 private:
  State state_ = State::BeforeLogin;
};

}  // namespace quilor
