#include "HotKeyPresses.h"

namespace quilor {

namespace {

// Without detectable auto-repeat the server repeats a held key as a release
// and a press at the same moment; no hand lets go and presses again within
// this many milliseconds.
constexpr std::uint32_t kRepeatGap = 20;

// With it, a held key repeats as bare presses: the first after the repeat
// delay (660 ms by default, rarely set longer), the next ones closer. A
// release we never saw (another program grabbed the keyboard while the key
// was down) must not hold the key off for good: a press this long after the
// previous one is a new press whatever we last saw.
constexpr std::uint32_t kLongestRepeatDelay = 1000;

}  // namespace

bool HotKeyPresses::pressed(std::uint8_t keycode, std::uint32_t time) {
  // Unsigned differences: the server's clock wraps after 49 days.
  const bool repeated = (held_ == keycode && time - lastPress_ < kLongestRepeatDelay) ||
                        (released_ == keycode && time - releaseTime_ < kRepeatGap);
  held_ = keycode;
  lastPress_ = time;
  released_ = 0;
  return !repeated;
}

void HotKeyPresses::released(std::uint8_t keycode, std::uint32_t time) {
  held_ = 0;
  released_ = keycode;
  releaseTime_ = time;
}

}  // namespace quilor
