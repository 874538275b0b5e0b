#include "LockedBytes.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstring>
#include <new>
#include <utility>

namespace quilor {

namespace {

std::size_t WholePages(std::size_t size) {
  const auto page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
  return (size + page - 1) / page * page;
}

}  // namespace

// Whole pages of their own, so that locking and wiping never touch anything
// else the heap put beside the secret.
LockedBytes::LockedBytes(std::size_t size)
    : mappedSize_(WholePages(size == 0 ? 1 : size)), size_(size) {
  pages_ = mmap(nullptr, mappedSize_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (pages_ == MAP_FAILED) {
    pages_ = nullptr;
    throw std::bad_alloc();
  }
  madvise(pages_, mappedSize_, MADV_DONTDUMP);
  mlock(pages_, mappedSize_);
}

LockedBytes::~LockedBytes() { release(); }

LockedBytes::LockedBytes(LockedBytes&& other) noexcept
    : pages_(std::exchange(other.pages_, nullptr)),
      mappedSize_(std::exchange(other.mappedSize_, 0)),
      size_(std::exchange(other.size_, 0)) {}

LockedBytes& LockedBytes::operator=(LockedBytes&& other) noexcept {
  if (this != &other) {
    release();
    pages_ = std::exchange(other.pages_, nullptr);
    mappedSize_ = std::exchange(other.mappedSize_, 0);
    size_ = std::exchange(other.size_, 0);
  }
  return *this;
}

void LockedBytes::release() noexcept {
  if (pages_ == nullptr) return;
  explicit_bzero(pages_, mappedSize_);
  munlock(pages_, mappedSize_);
  munmap(pages_, mappedSize_);
  pages_ = nullptr;
}

}  // namespace quilor
