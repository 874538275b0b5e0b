#pragma once

#include <cstdint>
#include <memory>

namespace quilor {

// Tells how long the user has not touched keyboard or mouse, in any program.
class IdleProbe {
 public:
  virtual ~IdleProbe() = default;
  // False where the desktop cannot tell the idle time; the idle lock is then off.
  virtual bool available() const = 0;
  // Milliseconds since the last input; only meaningful when available().
  virtual std::uint32_t idleMilliseconds() = 0;
};

std::unique_ptr<IdleProbe> MakeIdleProbe();

}  // namespace quilor
