#include "LockedPool.h"

#include <sanitizer/asan_interface.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <new>

namespace quilor {

namespace {

// Blocks up to kSmallest come in steps of kSmallStep, larger ones up to
// kLargest in steps of kLargeStep; a record's values rarely waste more than
// a few bytes. Anything larger gets pages of its own.
constexpr std::size_t kSmallStep = 16;
constexpr std::size_t kSmallest = 1024;
constexpr std::size_t kLargeStep = 128;
constexpr std::size_t kLargest = 8192;
constexpr std::size_t kSmallClasses = kSmallest / kSmallStep;
constexpr std::size_t kChunkBytes = 256 * 1024;
// Lock limit left for the master password and its key, which matter most.
constexpr std::size_t kReservedForKeys = 64 * 1024;

constexpr std::size_t ClassOf(std::size_t size) {
  if (size <= kSmallest) return (size + kSmallStep - 1) / kSmallStep - 1;
  return kSmallClasses + (size - kSmallest + kLargeStep - 1) / kLargeStep - 1;
}

constexpr std::size_t ClassSize(std::size_t sizeClass) {
  if (sizeClass < kSmallClasses) return (sizeClass + 1) * kSmallStep;
  return kSmallest + (sizeClass - kSmallClasses + 1) * kLargeStep;
}

std::size_t WholePages(std::size_t size) {
  const auto page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
  return (size + page - 1) / page * page;
}

// A free block keeps the link to the next one in its first bytes; the rest
// stays wiped.
unsigned char* NextFree(const unsigned char* block) {
  unsigned char* next = nullptr;
  std::memcpy(&next, block, sizeof next);
  return next;
}

void SetNextFree(unsigned char* block, unsigned char* next) {
  std::memcpy(block, &next, sizeof next);
}

}  // namespace

static_assert(ClassOf(kLargest) + 1 == 120, "kClassCount counts every size class");

LockedPool& LockedPool::instance() {
  // Never destroyed: records held in static objects may outlive any order
  // of destruction at exit.
  static LockedPool* const pool = new LockedPool;
  return *pool;
}

std::size_t LockedPool::blockSize(std::size_t size) {
  if (size > kLargest) return WholePages(size);
  return ClassSize(ClassOf(std::max<std::size_t>(size, 1)));
}

LockedPool::Block LockedPool::allocate(std::size_t size) {
  const std::size_t granted = blockSize(size);
  unsigned char* data = nullptr;
  {
    const std::lock_guard lock(mutex_);
    if (granted > kLargest) {
      chunks_.reserve(chunks_.size() + 1);
      const Chunk own = map(granted);
      chunks_.push_back(own);
      data = own.data;
    } else {
      unsigned char*& head = freeBlocks_[ClassOf(granted)];
      if (head != nullptr) {
        data = head;
        head = NextFree(data);
        SetNextFree(data, nullptr);
      } else {
        data = carve(granted);
      }
    }
    ++blocksOut_;
  }
  ASAN_UNPOISON_MEMORY_REGION(data, granted);
  return {data, granted};
}

void LockedPool::release(unsigned char* data, std::size_t size) noexcept {
  explicit_bzero(data, size);
  const std::lock_guard lock(mutex_);
  if (size > kLargest) {
    const auto own = std::find_if(chunks_.begin(), chunks_.end(),
                                  [data](const Chunk& chunk) { return chunk.data == data; });
    unmap(*own);
    chunks_.erase(own);
  } else {
    ASAN_POISON_MEMORY_REGION(data + sizeof data, size - sizeof data);
    unsigned char*& head = freeBlocks_[ClassOf(size)];
    SetNextFree(data, head);
    head = data;
  }
  if (--blocksOut_ == 0) returnAllPages();
}

unsigned char* LockedPool::carve(std::size_t size) {
  if (unusedSize_ < size) {
    chunks_.reserve(chunks_.size() + 1);
    const Chunk chunk = map(kChunkBytes);
    chunks_.push_back(chunk);
    ASAN_POISON_MEMORY_REGION(chunk.data, chunk.size);
    unused_ = chunk.data;
    unusedSize_ = chunk.size;
  }
  unsigned char* data = unused_;
  unused_ += size;
  unusedSize_ -= size;
  return data;
}

// The pages are filled in at once, one call instead of a fault per page.
// Locking stops short of the process's limit, so that the master password
// and its key can always still be locked.
LockedPool::Chunk LockedPool::map(std::size_t size) {
  void* pages = mmap(nullptr, size, PROT_READ | PROT_WRITE,
                     MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
  if (pages == MAP_FAILED) throw std::bad_alloc();
  madvise(pages, size, MADV_DONTDUMP);
  rlimit limit{};
  getrlimit(RLIMIT_MEMLOCK, &limit);
  const bool withinLimit =
      limit.rlim_cur == RLIM_INFINITY || lockedBytes_ + size + kReservedForKeys <= limit.rlim_cur;
  const bool locked = withinLimit && mlock(pages, size) == 0;
  if (locked) lockedBytes_ += size;
  return {static_cast<unsigned char*>(pages), size, locked};
}

void LockedPool::unmap(const Chunk& chunk) noexcept {
  ASAN_UNPOISON_MEMORY_REGION(chunk.data, chunk.size);
  if (chunk.locked) {
    munlock(chunk.data, chunk.size);
    lockedBytes_ -= chunk.size;
  }
  munmap(chunk.data, chunk.size);
}

// Every block is back, and wiped: the pages can go.
void LockedPool::returnAllPages() noexcept {
  for (const Chunk& chunk : chunks_) unmap(chunk);
  chunks_.clear();
  freeBlocks_.fill(nullptr);
  unused_ = nullptr;
  unusedSize_ = 0;
}

}  // namespace quilor
