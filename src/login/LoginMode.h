#pragma once

namespace quilor {

// What the master password dialog is shown for.
enum class LoginMode {
  FirstStart,        // no data file yet: the password is chosen and typed twice
  Login,             // the typed password is tried on the data file
  ReAuthentication,  // the running program is locked: compared with the one in memory
};

LoginMode ModeOf(bool reAuthMode, bool dataFileExists);

// The controls whose visibility depends on the mode; the password box, "Giriş"
// and "Vazgeç" are shown in every mode.
struct LoginControlsShown {
  bool repeatBox = false;  // the repeat box and its label "Tekrar"
  bool warning = false;    // the warning
  bool loginAndHide = false;

  bool operator==(const LoginControlsShown&) const = default;
};

LoginControlsShown ControlsShownIn(LoginMode mode);

}  // namespace quilor
