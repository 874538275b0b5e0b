#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "Blowfish.h"

namespace quilor {
namespace {

using namespace std::string_literals;

bool SameKey(std::string_view a, std::string_view b) {
  CipherKey first;
  CipherKey second;
  MakeCipherKey(a, first);
  MakeCipherKey(b, second);
  return std::memcmp(&first, &second, sizeof(CipherKey)) == 0;
}

std::string Enciphered(std::string buffer, std::string_view password) {
  CipherBlocks(reinterpret_cast<unsigned char*>(buffer.data()), buffer.size(),
               CipherDirection::Encipher, password);
  return buffer;
}

std::string SeventyTwoBytes() {
  std::string password;
  for (int i = 0; i < 72; ++i) password.push_back(static_cast<char>(0x20 + i * 37 % 200));
  return password;
}

TEST(BlowfishKey, OnlyTheFirstSeventyTwoBytesCount) {
  const std::string first72 = SeventyTwoBytes();
  EXPECT_TRUE(SameKey(first72, first72 + "x"));
  EXPECT_TRUE(SameKey(first72 + "x", first72 + "y and more"));
  EXPECT_EQ(Enciphered("abcdefgh", first72), Enciphered("abcdefgh", first72 + "tail"));

  std::string last72Changed = first72;
  last72Changed[71] ^= 1;
  EXPECT_FALSE(SameKey(first72, last72Changed));
}

TEST(BlowfishKey, ShortPasswordIsCycled) {
  EXPECT_TRUE(SameKey("secret", "secretsecret"));
  EXPECT_TRUE(SameKey("abcde", "abcdeabcde"));  // 5 does not divide 72: words straddle the wrap
  EXPECT_TRUE(SameKey("k", "kkkk"));
  EXPECT_TRUE(SameKey("k", std::string(100, 'k')));
  EXPECT_FALSE(SameKey("k", "j"));
  EXPECT_FALSE(SameKey("secret", "secres"));
}

TEST(BlowfishKey, ZeroByteIsAnOrdinaryKeyByte) {
  EXPECT_FALSE(SameKey("a\0b"s, "ab"));
  EXPECT_FALSE(SameKey("a\0"s, "a"));
  EXPECT_TRUE(SameKey("\0"s, "\0\0\0"s));
}

TEST(BlowfishBlock, DecipherUndoesEncipher) {
  std::mt19937 random(7);
  CipherKey key;
  MakeCipherKey("round trip", key);
  for (int i = 0; i < 1000; ++i) {
    const std::uint32_t l0 = random();
    const std::uint32_t r0 = random();
    std::uint32_t l = l0;
    std::uint32_t r = r0;
    EncipherBlock(key, l, r);
    EXPECT_FALSE(l == l0 && r == r0);
    DecipherBlock(key, l, r);
    EXPECT_EQ(l, l0);
    EXPECT_EQ(r, r0);
  }
}

TEST(CipherBlocks, EnciphersWholeBlocksAndLeavesTheTail) {
  const std::string password = "p";
  const std::string block = Enciphered("12345678", password);
  ASSERT_NE(block, "12345678");

  struct Case {
    std::string plain;
    std::string expected;
  };
  const Case cases[] = {
      {"", ""},
      {"1234567", "1234567"},
      {"12345678", block},
      {"12345678abcdefg", block + "abcdefg"},
      {"1234567812345678", block + block},  // ECB: equal blocks, equal results
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.plain.size());
    EXPECT_EQ(Enciphered(c.plain, password), c.expected);
  }
}

TEST(CipherBlocks, EmptyPasswordThrowsAndChangesNothing) {
  std::string buffer = "12345678abcdefgh";
  auto* bytes = reinterpret_cast<unsigned char*>(buffer.data());
  EXPECT_THROW(CipherBlocks(bytes, buffer.size(), CipherDirection::Encipher, ""),
               std::invalid_argument);
  EXPECT_THROW(CipherBlocks(bytes, buffer.size(), CipherDirection::Decipher, ""),
               std::invalid_argument);
  EXPECT_EQ(buffer, "12345678abcdefgh");

  CipherKey key;
  EXPECT_THROW(MakeCipherKey("", key), std::invalid_argument);
}

// Other code runs the cipher on several threads at once; a key cached or
// shared between calls would mix up the passwords here.
TEST(CipherBlocks, ConcurrentCallsDoNotInterfere) {
  const std::string plain = "concurrent calls of the field cipher!!!!";
  const std::vector<std::string> passwords = {"one", "two", "three", "four"};
  std::vector<std::string> expected;
  for (const std::string& password : passwords) expected.push_back(Enciphered(plain, password));

  std::vector<int> mismatches(passwords.size(), 0);
  std::vector<std::thread> threads;
  for (std::size_t t = 0; t < passwords.size(); ++t) {
    threads.emplace_back([&, t] {
      for (int i = 0; i < 200; ++i) {
        if (Enciphered(plain, passwords[t]) != expected[t]) ++mismatches[t];
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(mismatches, std::vector<int>(passwords.size(), 0));
}

}  // namespace
}  // namespace quilor
