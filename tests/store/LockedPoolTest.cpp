#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "LockedMemory.h"
#include "LockedPool.h"
#include "RecordTable.h"

namespace quilor {
namespace {

bool AllZero(const unsigned char* data, std::size_t size) {
  return std::all_of(data, data + size, [](unsigned char byte) { return byte == 0; });
}

TEST(LockedPool, AFreedBlockIsWipedBeforeItIsHandedOutAgain) {
  LockedPool& pool = LockedPool::instance();
  // Held throughout, so that the pages stay with the pool.
  const LockedPool::Block keeper = pool.allocate(16);
  for (const std::size_t size : {std::size_t{40}, std::size_t{3000}, std::size_t{20000}}) {
    const LockedPool::Block first = pool.allocate(size);
    ASSERT_GE(first.size, size);
    std::memset(first.data, 0xA5, first.size);
    pool.release(first.data, first.size);
    const LockedPool::Block again = pool.allocate(size);
    if (size < 8192) {
      EXPECT_EQ(again.data, first.data) << size;
    }
    EXPECT_EQ(again.size, first.size);
    EXPECT_TRUE(AllZero(again.data, again.size)) << size;
    pool.release(again.data, again.size);
  }
  pool.release(keeper.data, keeper.size);
}

bool LockLimitAtLeast(rlim_t bytes) {
  rlimit limit{};
  getrlimit(RLIMIT_MEMLOCK, &limit);
  return limit.rlim_cur == RLIM_INFINITY || limit.rlim_cur >= bytes;
}

TEST(LockedPool, RecordValuesLieInLockedPagesUntilTheRecordsAreWiped) {
  if (test::kMlockIgnored) GTEST_SKIP() << "mlock does nothing under AddressSanitizer";
  if (!LockLimitAtLeast(2 << 20)) GTEST_SKIP() << "the lock limit is below 2 MiB";
  const long before = test::LockedKilobytes();
  ASSERT_GE(before, 0);
  RecordTable table;
  for (int i = 0; i < 2000; ++i) {
    table.append();
    table.setText(Field::Title, "Kayit " + std::to_string(i));
    table.setText(Field::Password, std::string(200, 'p'));
    table.post();
  }
  // Some 420 kB of values: at least one chunk of 256 kB is locked.
  EXPECT_GE(test::LockedKilobytes(), before + 256);
  table.wipeAllRecords();
  EXPECT_EQ(test::LockedKilobytes(), before);
}

}  // namespace
}  // namespace quilor
