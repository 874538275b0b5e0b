#pragma once

#include <fstream>
#include <string>

namespace quilor::test {

// The kilobytes this process holds locked in memory; -1 when unknown.
inline long LockedKilobytes() {
  std::ifstream status("/proc/self/status");
  std::string key;
  while (status >> key) {
    long value = 0;
    if (key == "VmLck:" && status >> value) return value;
  }
  return -1;
}

// AddressSanitizer answers mlock without locking anything.
inline constexpr bool kMlockIgnored =
#if defined(__SANITIZE_ADDRESS__)
    true;
#elif defined(__has_feature)
    __has_feature(address_sanitizer);
#else
    false;
#endif

}  // namespace quilor::test
