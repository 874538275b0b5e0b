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

}  // namespace quilor
