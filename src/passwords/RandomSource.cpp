#include "RandomSource.h"

#include <sys/random.h>

#include <cerrno>
#include <limits>
#include <system_error>

namespace quilor {

namespace {

std::uint32_t RandomWord() {
  std::uint32_t word = 0;
  for (;;) {
    const ssize_t got = ::getrandom(&word, sizeof word, 0);
    if (got == static_cast<ssize_t>(sizeof word)) return word;
    if (got < 0 && errno != EINTR) throw std::system_error(errno, std::generic_category());
  }
}

}  // namespace

std::uint32_t SystemRandom::below(std::uint32_t bound) {
  // Words from the top, incomplete run of bound values are drawn again, so
  // that the remainder favours no value.
  const std::uint32_t limit =
      std::numeric_limits<std::uint32_t>::max() - std::numeric_limits<std::uint32_t>::max() % bound;
  for (;;) {
    const std::uint32_t word = RandomWord();
    if (word < limit) return word % bound;
  }
}

}  // namespace quilor
