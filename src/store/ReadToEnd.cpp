#include "ReadToEnd.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>

#include "WholeFile.h"

namespace quilor {

namespace {

constexpr auto kLimit = static_cast<std::size_t>(kMaxReadBytes);

// Gives the buffer's pages to the process in one call, in huge pages where
// they fit: a data file of a few megabytes would otherwise cost a fault on
// every page as it is filled. Kernels without this advice leave the faults
// to happen.
void FillInPages(std::string& buffer) {
  const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
  const auto from = (reinterpret_cast<std::uintptr_t>(buffer.data()) + page - 1) / page * page;
  const auto to =
      (reinterpret_cast<std::uintptr_t>(buffer.data()) + buffer.capacity()) / page * page;
  if (to <= from) return;
  madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
  madvise(reinterpret_cast<void*>(from), to - from, MADV_POPULATE_WRITE);
}

}  // namespace

ReadEnd ReadToEnd(int fd, std::size_t expected, std::string& content,
                  const std::function<long(int, char*, std::size_t)>& read) {
  // One byte more than expected shows at once a file that grew.
  content.clear();
  content.reserve(std::min(expected, kLimit) + 1);
  FillInPages(content);
  content.resize(content.capacity());
  std::size_t filled = 0;
  for (;;) {
    if (filled == content.size()) {
      if (filled > kLimit) break;
      content.resize(std::min(2 * filled, kLimit + 1));
    }
    const long got = read(fd, content.data() + filled, content.size() - filled);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      content.resize(filled);
      return ReadEnd::Failed;
    }
    if (got == 0) break;
    filled += static_cast<std::size_t>(got);
  }
  content.resize(filled);
  return filled > kLimit ? ReadEnd::TooLarge : ReadEnd::Whole;
}

}  // namespace quilor
