// Differential check against OpenSSL's independent Blowfish: same key
// schedule, same ECB output, for random passwords and buffers.
#include <gtest/gtest.h>
#include <openssl/blowfish.h>

#include <algorithm>
#include <random>
#include <string>

#include "Blowfish.h"

namespace quilor {
namespace {

std::string RandomBytes(std::mt19937& random, std::size_t length) {
  std::uniform_int_distribution<int> byte(0, 255);
  std::string bytes(length, '\0');
  for (char& c : bytes) c = static_cast<char>(byte(random));
  return bytes;
}

std::size_t RandomLength(std::mt19937& random, std::size_t low, std::size_t high) {
  return std::uniform_int_distribution<std::size_t>(low, high)(random);
}

BF_KEY OpenSslKey(const std::string& password) {
  BF_KEY key;
  BF_set_key(&key, static_cast<int>(password.size()),
             reinterpret_cast<const unsigned char*>(password.data()));
  return key;
}

void OpenSslEcb(std::string& buffer, const BF_KEY& key, int mode) {
  auto* bytes = reinterpret_cast<unsigned char*>(buffer.data());
  for (std::size_t at = 0; at + 8 <= buffer.size(); at += 8) {
    BF_ecb_encrypt(bytes + at, bytes + at, &key, mode);
  }
}

// Password lengths run past 72 so that the truncation is compared as well.
TEST(BlowfishAgainstOpenSsl, KeySchedule) {
  std::mt19937 random(20240611);
  for (int round = 0; round < 400; ++round) {
    const std::string password = RandomBytes(random, RandomLength(random, 1, 100));
    SCOPED_TRACE(password.size());
    CipherKey ours;
    MakeCipherKey(password, ours);
    const BF_KEY theirs = OpenSslKey(password);

    ASSERT_TRUE(std::equal(std::begin(ours.p), std::end(ours.p), std::begin(theirs.P)));
    for (int box = 0; box < 4; ++box) {
      ASSERT_TRUE(std::equal(std::begin(ours.s[box]), std::end(ours.s[box]), theirs.S + 256 * box))
          << "S-box " << box;
    }
  }
}

TEST(BlowfishAgainstOpenSsl, CipherBlocksBothDirections) {
  std::mt19937 random(1998);
  for (int round = 0; round < 300; ++round) {
    const std::string password = RandomBytes(random, RandomLength(random, 1, 100));
    const std::string plain = RandomBytes(random, RandomLength(random, 0, 300));
    SCOPED_TRACE("password " + std::to_string(password.size()) + " buffer " +
                 std::to_string(plain.size()));
    const BF_KEY key = OpenSslKey(password);

    struct Mode {
      CipherDirection ours;
      int theirs;
    };
    for (const Mode mode : {Mode{CipherDirection::Encipher, BF_ENCRYPT},
                            Mode{CipherDirection::Decipher, BF_DECRYPT}}) {
      std::string ours = plain;
      CipherBlocks(reinterpret_cast<unsigned char*>(ours.data()), ours.size(), mode.ours, password);
      std::string theirs = plain;
      OpenSslEcb(theirs, key, mode.theirs);
      ASSERT_EQ(ours, theirs);
    }
  }
}

}  // namespace
}  // namespace quilor
