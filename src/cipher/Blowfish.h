#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quilor {

inline constexpr std::size_t kCipherBlockSize = 8;

enum class CipherDirection { Encipher, Decipher };

// The expanded Blowfish key, built in the caller's storage. Whoever keeps one
// keeps it as safely as the password it came from and wipes it with WipeCipherKey.
struct CipherKey {
  std::uint32_t p[18];
  std::uint32_t s[4][256];
};

// password: the key bytes as they stand, at least one byte; cycled, and only
// the first 72 take part. Throws std::invalid_argument for an empty password.
void MakeCipherKey(std::string_view password, CipherKey& key);
void EncipherBlock(const CipherKey& key, std::uint32_t& l, std::uint32_t& r);
void DecipherBlock(const CipherKey& key, std::uint32_t& l, std::uint32_t& r);

void WipeCipherKey(CipherKey& key);

// Enciphers or deciphers the whole 8-byte blocks of buffer in place (ECB,
// big-endian halves); a trailing partial block is left as it is.
void CipherBlocks(unsigned char* buffer, std::size_t length, CipherDirection direction,
                  const CipherKey& key);
// The same under a key built from password for this call alone. An empty
// password throws and changes no byte.
void CipherBlocks(unsigned char* buffer, std::size_t length, CipherDirection direction,
                  std::string_view password);

}  // namespace quilor
