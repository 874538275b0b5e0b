#pragma once

#include <cstdint>

namespace quilor {

// Unpredictable numbers for passwords, from the kernel's random source.
class RandomSource {
 public:
  virtual ~RandomSource() = default;
  // A number from 0 to bound - 1, every one equally likely; bound > 0.
  virtual std::uint32_t below(std::uint32_t bound) = 0;
};

// getrandom(2): never a seeded generator, so no two runs share a sequence.
// Throws std::system_error when the kernel refuses.
class SystemRandom : public RandomSource {
 public:
  std::uint32_t below(std::uint32_t bound) override;
};

}  // namespace quilor
