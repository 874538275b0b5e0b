#pragma once

namespace quilor {

// The countdown after a copy: a hundred ticks after the last copy the
// clipboard is emptied. Idle: position 0. Counting: position 0 to 99.
class ClipboardCountdown {
 public:
  static constexpr int kTicks = 100;

  // A copy: counting from position 0, also when a countdown already runs.
  void restart() {
    counting_ = true;
    position_ = 0;
  }

  // One tick; true when it was the last one and the clipboard is to be
  // emptied. A tick while idle does nothing.
  bool tick() {
    if (!counting_) return false;
    if (++position_ < kTicks) return false;
    counting_ = false;
    position_ = 0;
    return true;
  }

  bool counting() const { return counting_; }
  int position() const { return position_; }

 private:
  bool counting_ = false;
  int position_ = 0;
};

}  // namespace quilor
