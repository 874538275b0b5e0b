#include "LoginMode.h"

namespace quilor {

LoginMode ModeOf(bool reAuthMode, bool dataFileExists) {
  if (reAuthMode) return LoginMode::ReAuthentication;
  return dataFileExists ? LoginMode::Login : LoginMode::FirstStart;
}

LoginControlsShown ControlsShownIn(LoginMode mode) {
  switch (mode) {
    case LoginMode::FirstStart:
      return {.repeatBox = true, .warning = true, .loginAndHide = true};
    case LoginMode::Login:
      return {.repeatBox = false, .warning = false, .loginAndHide = true};
    case LoginMode::ReAuthentication:
      break;
  }
  return {.repeatBox = false, .warning = false, .loginAndHide = false};
}

}  // namespace quilor
