#pragma once

// Tells a new press of the hot key from the server's repeats of a held one.
// Pure: it works on the key events' keycodes and server times (ms).

#include <cstdint>

namespace quilor {

class HotKeyPresses {
 public:
  // True when this press is the user's own and is to act; false for a
  // repeat of the key being held.
  bool pressed(std::uint8_t keycode, std::uint32_t time);
  void released(std::uint8_t keycode, std::uint32_t time);
  // Forgets every key (the grabs were made anew).
  void reset() { *this = HotKeyPresses(); }

 private:
  std::uint8_t held_ = 0;  // pressed, no release seen yet
  std::uint32_t lastPress_ = 0;
  std::uint8_t released_ = 0;  // released last, at releaseTime_
  std::uint32_t releaseTime_ = 0;
};

}  // namespace quilor
