#pragma once

#include <array>
#include <cstddef>
#include <mutex>
#include <vector>

namespace quilor {

// Small blocks for the values of records, deciphered secrets among them,
// carved from pages kept out of core dumps and, as far as the process's lock
// limit allows, out of swap. A block is wiped when it is given back, before
// anyone can be handed its bytes again. One pool serves the whole process,
// from any thread. When the last block comes back, every page goes back to
// the system.
class LockedPool {
 public:
  struct Block {
    unsigned char* data;
    std::size_t size;  // what the block holds: at least what was asked for
  };

  static LockedPool& instance();

  // The size of the block that a request for size bytes gets.
  static std::size_t blockSize(std::size_t size);

  // A zeroed block of at least size bytes (size > 0). Throws std::bad_alloc.
  Block allocate(std::size_t size);
  // Wipes the block and takes it back; size is the one allocate gave.
  void release(unsigned char* data, std::size_t size) noexcept;

  LockedPool(const LockedPool&) = delete;
  LockedPool& operator=(const LockedPool&) = delete;

 private:
  struct Chunk {
    unsigned char* data;
    std::size_t size;
    bool locked;
  };
  static constexpr std::size_t kClassCount = 120;

  LockedPool() = default;
  // Caller holds mutex_.
  unsigned char* carve(std::size_t size);
  Chunk map(std::size_t size);
  void unmap(const Chunk& chunk) noexcept;
  void returnAllPages() noexcept;

  std::mutex mutex_;
  std::array<unsigned char*, kClassCount> freeBlocks_{};  // a list per size class
  std::vector<Chunk> chunks_;
  unsigned char* unused_ = nullptr;  // the uncarved rest of the newest chunk
  std::size_t unusedSize_ = 0;
  std::size_t blocksOut_ = 0;
  std::size_t lockedBytes_ = 0;
};

}  // namespace quilor
