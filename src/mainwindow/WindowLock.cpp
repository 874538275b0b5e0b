#include "WindowLock.h"

namespace quilor {

void WindowLock::loggedIn(bool hidden) {
  if (state_ != State::BeforeLogin) return;
  state_ = hidden ? State::Hidden : State::Shown;
}

void WindowLock::hide() {
  if (state_ == State::Shown) state_ = State::Hidden;
}

bool WindowLock::beginReAuthentication() {
  if (state_ != State::Hidden) return false;
  state_ = State::ReAuthenticating;
  return true;
}

void WindowLock::endReAuthentication(bool accepted) {
  if (state_ != State::ReAuthenticating) return;
  state_ = accepted ? State::Shown : State::Hidden;
}

WindowLock::AutoFill WindowLock::beginAutoFill() {
  switch (state_) {
    case State::Shown:
      return AutoFill::Open;
    case State::Hidden:
      state_ = State::UnlockingAutoFill;
      return AutoFill::AskPasswordFirst;
    case State::BeforeLogin:
    case State::ReAuthenticating:
    case State::UnlockingAutoFill:
      break;
  }
  return AutoFill::Ignore;
}

void WindowLock::endAutoFill() {
  if (state_ == State::UnlockingAutoFill) state_ = State::Hidden;
}

}  // namespace quilor
