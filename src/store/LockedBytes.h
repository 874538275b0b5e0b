#pragma once

#include <cstddef>

namespace quilor {

// Memory for secrets: its pages are kept out of swap and core dumps where the
// process's lock limit allows, and wiped before they are given back. When the
// pages cannot be locked the buffer works all the same; nobody is told, since
// the user could do nothing about it.
class LockedBytes {
 public:
  explicit LockedBytes(std::size_t size);
  ~LockedBytes();
  LockedBytes(LockedBytes&& other) noexcept;
  LockedBytes& operator=(LockedBytes&& other) noexcept;
  LockedBytes(const LockedBytes&) = delete;
  LockedBytes& operator=(const LockedBytes&) = delete;

  unsigned char* data() { return static_cast<unsigned char*>(pages_); }
  const unsigned char* data() const { return static_cast<const unsigned char*>(pages_); }
  std::size_t size() const { return size_; }

 private:
  void release() noexcept;

  void* pages_ = nullptr;
  std::size_t mappedSize_ = 0;
  std::size_t size_ = 0;
};

}  // namespace quilor
