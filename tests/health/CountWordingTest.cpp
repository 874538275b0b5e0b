// The possessive after a count follows the last word read aloud.
#include <gtest/gtest.h>

#include "CountWording.h"

namespace quilor {
namespace {

TEST(CountWithPossessive, FollowsTheLastWordReadAloud) {
  const std::pair<long long, const char*> cases[] = {
      {0, "0'ı"},
      {1, "1'i"},
      {2, "2'si"},
      {3, "3'ü"},
      {4, "4'ü"},
      {5, "5'i"},
      {6, "6'sı"},
      {7, "7'si"},
      {8, "8'i"},
      {9, "9'u"},
      {10, "10'u"},
      {12, "12'si"},
      {20, "20'si"},
      {30, "30'u"},
      {40, "40'ı"},
      {50, "50'si"},
      {60, "60'ı"},
      {70, "70'i"},
      {80, "80'i"},
      {90, "90'ı"},
      {100, "100'ü"},
      {101, "101'i"},
      {110, "110'u"},
      {200, "200'ü"},
      {1000, "1000'i"},
      {1500, "1500'ü"},
      {2000, "2000'i"},
      {10000, "10000'i"},
      {100000, "100000'i"},
      {1000001, "1000001'i"},
      {1000000, "1000000'u"},
      {3000000000LL, "3000000000'ı"},
      {1000000000000LL, "1000000000000'u"},
  };
  for (const auto& [count, expected] : cases) {
    EXPECT_EQ(CountWithPossessive(count).toStdString(), expected) << count;
  }
}

}  // namespace
}  // namespace quilor
