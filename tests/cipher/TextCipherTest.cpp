#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "Base64.h"
#include "Blowfish.h"
#include "TextCipher.h"

namespace quilor {
namespace {

using namespace std::string_literals;

constexpr std::string_view kPassword = "Ana\xFEifre";  // "Anaşifre" in Windows-1254

// The way a protected field goes into the data file and comes back.
std::string Store(std::string value, std::string_view password) {
  EncryptText(value, password);
  return EncodeBase64(value);
}

std::string Load(std::string_view stored, std::string_view password) {
  std::string value = DecodeBase64(stored);
  DecryptText(value, password);
  return value;
}

std::string AllHighBytes() {
  std::string bytes;
  for (int b = 128; b < 256; ++b) bytes.push_back(static_cast<char>(b));
  return bytes;
}

TEST(TextCipher, ValuesComeBackThroughTheWholeChain) {
  struct Case {
    const char* name;
    std::string value;
    std::size_t cipherLength;
  };
  const Case cases[] = {
      {"empty", "", 0},
      {"one byte", "x", 8},
      {"seven bytes", "1234567", 8},
      {"eight bytes", "12345678", 16},
      {"sixteen bytes", "1234567812345678", 24},
      {"ends in byte 1", "abcdefg\x01", 16},
      {"ends in byte 8", "abc\x08", 8},
      {"ends in a pad look-alike", "ab\x02\x02", 8},
      {"ends in eight eights", std::string(8, '\x08'), 16},
      {"zero bytes inside", "a\0b\0"s, 8},
      {"Turkish letters", "\xDE\xFE\xD0\xF0\xDD\xFD\xC7\xE7\xD6\xF6\xDC\xFC", 16},
      {"bytes 128 to 255", AllHighBytes(), 136},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string cipher = c.value;
    EncryptText(cipher, kPassword);
    EXPECT_EQ(cipher.size(), c.cipherLength);

    const std::string stored = Store(c.value, kPassword);
    EXPECT_EQ(stored, EncodeBase64(cipher));  // no random initial value
    EXPECT_EQ(stored.size(), (c.cipherLength + 2) / 3 * 4);
    EXPECT_EQ(Load(stored, kPassword), c.value);
  }
}

TEST(TextCipher, PadIsRemovedOnlyWhenValid) {
  // Plain blocks are enciphered without padding, so DecryptText sees exactly
  // these bytes after deciphering.
  struct Case {
    const char* name;
    std::string deciphered;
    std::string expected;
  };
  const Case cases[] = {
      {"pad of 3", "abcde\x03\x03\x03", "abcde"},
      {"whole pad block", "abcdefgh"s + std::string(8, '\x08'), "abcdefgh"},
      {"only pad", std::string(8, '\x08'), ""},
      {"last byte 0", "abcdefg\0"s, "abcdefg\0"s},
      // Nine bytes of 9 at the end of two blocks: only the limit of eight
      // keeps them, not the length check.
      {"pad of 9", "abcdefg"s + std::string(9, '\x09'), "abcdefg"s + std::string(9, '\x09')},
      {"last byte 255", "abcdefg\xFF", "abcdefg\xFF"},
      {"pad bytes disagree", "abcdef\x02\x03\x03", "abcdef\x02\x03\x03"},
      {"pad longer than text", "\x09\x09\x09\x09\x09\x09\x09\x09",
       "\x09\x09\x09\x09\x09\x09\x09\x09"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string text = c.deciphered;
    CipherBlocks(reinterpret_cast<unsigned char*>(text.data()), text.size(),
                 CipherDirection::Encipher, kPassword);
    DecryptText(text, kPassword);
    EXPECT_EQ(text, c.expected);
  }
}

TEST(TextCipher, DamagedLengthKeepsItsTailUndeciphered) {
  std::string text = "12345678";
  EncryptText(text, kPassword);  // one data block and one pad block
  const std::string firstBlock = text.substr(0, 8);
  std::string damaged = firstBlock + "xyz";
  DecryptText(damaged, kPassword);
  EXPECT_EQ(damaged, "12345678xyz");
}

TEST(TextCipher, WrongPasswordGivesOtherBytesWithoutError) {
  const std::string stored = Store("user@example.com", kPassword);
  std::string value;
  EXPECT_NO_THROW(value = Load(stored, "wrong"));
  EXPECT_NE(value, "user@example.com");
}

TEST(TextCipher, EmptyPasswordThrowsAndLeavesTheTextAsItWas) {
  std::string text = "secret";
  EXPECT_THROW(EncryptText(text, ""), std::invalid_argument);
  EXPECT_EQ(text, "secret");
  EXPECT_THROW(DecryptText(text, ""), std::invalid_argument);
  EXPECT_EQ(text, "secret");
}

}  // namespace
}  // namespace quilor
