#include <gtest/gtest.h>

#include <string>

#include "Cp1254.h"

namespace quilor {
namespace {

// The command-line tool's UTF-8 and the window's QString must show the same
// characters for every byte, the undefined ones and the C1 range included.
TEST(Cp1254, EveryByteReadsAsTheSameCharacterInUtf8AsInAQString) {
  for (int b = 0; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    std::string utf8 = "x";
    AppendCp1254AsUtf8(utf8, byte);
    std::string expected = "x";
    expected += FromCp1254(byte).toStdString();
    EXPECT_EQ(utf8, expected) << "byte " << b;
  }
  std::string text;
  AppendCp1254AsUtf8(text, "\xDE\xFD\xF0 \x80 ok");
  EXPECT_EQ(text, "Şığ € ok");
}

}  // namespace
}  // namespace quilor
