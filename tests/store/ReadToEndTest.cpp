#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "ReadToEnd.h"
#include "WholeFile.h"

namespace quilor {
namespace {

// What one read call of the stand-in does: hand out up to so many bytes of
// the file, or fail with an error number.
struct Step {
  std::size_t bytes;
  int error;
};

struct Case {
  const char* name;
  std::size_t expected;  // the size the file had when it was opened
  std::string file;      // what the reads hand out, in order
  std::vector<Step> steps;
  ReadEnd end;
  std::string content;
};

TEST(ReadToEnd, ReadsWhatTheFileHandsOut) {
  const std::vector<Case> cases = {
      {"as opened, in one read", 5, "abcde", {{100, 0}}, ReadEnd::Whole, "abcde"},
      {"in small reads", 5, "abcde", {{2, 0}, {1, 0}, {100, 0}}, ReadEnd::Whole, "abcde"},
      {"grown since it was opened",
       3,
       std::string(100, 'g'),
       {},
       ReadEnd::Whole,
       std::string(100, 'g')},
      {"shrunk since it was opened", 1000, "kısa", {}, ReadEnd::Whole, "kısa"},
      {"empty", 0, "", {}, ReadEnd::Whole, ""},
      {"interrupted, then read", 4, "abcd", {{0, EINTR}, {100, 0}}, ReadEnd::Whole, "abcd"},
      {"failing midway", 4, "abcd", {{2, 0}, {0, EIO}}, ReadEnd::Failed, "ab"},
  };
  for (const Case& c : cases) {
    std::size_t at = 0;
    std::size_t call = 0;
    const auto read = [&](int, char* buffer, std::size_t size) -> long {
      const Step step = call < c.steps.size() ? c.steps[call] : Step{size, 0};
      ++call;
      if (step.error != 0) {
        errno = step.error;
        return -1;
      }
      const std::size_t n = std::min({step.bytes, size, c.file.size() - at});
      std::memcpy(buffer, c.file.data() + at, n);
      at += n;
      return static_cast<long>(n);
    };
    std::string content = "left from before";
    errno = 0;
    EXPECT_EQ(ReadToEnd(-1, c.expected, content, read), c.end) << c.name;
    EXPECT_EQ(content, c.content) << c.name;
    if (c.end == ReadEnd::Failed) {
      EXPECT_EQ(errno, EIO) << c.name;
    }
  }
}

TEST(ReadToEnd, StopsOnceAGrowingFilePassesTheLimit) {
  if (std::getenv("QUILOR_MEMCHECK") != nullptr) GTEST_SKIP() << "64 MB under memcheck";
  std::size_t handedOut = 0;
  const auto endless = [&](int, char* buffer, std::size_t size) -> long {
    std::memset(buffer, 'x', size);
    handedOut += size;
    return static_cast<long>(size);
  };
  std::string content;
  EXPECT_EQ(ReadToEnd(-1, 1024, content, endless), ReadEnd::TooLarge);
  EXPECT_EQ(handedOut, static_cast<std::size_t>(kMaxReadBytes) + 1);
}

}  // namespace
}  // namespace quilor
