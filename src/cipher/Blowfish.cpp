#include "Blowfish.h"

#include <iterator>
#include <stdexcept>
#include <type_traits>
#include <utility>

#include "BlowfishTables.h"

namespace quilor {
namespace {

constexpr std::size_t kPWords = std::extent_v<decltype(CipherKey::p)>;

// The round code is forced inline: a call per round or per block would cost
// more than the round itself.
[[gnu::always_inline]] inline std::uint32_t Feistel(const CipherKey& key, std::uint32_t x) {
  return ((key.s[0][x >> 24] + key.s[1][(x >> 16) & 0xFF]) ^ key.s[2][(x >> 8) & 0xFF]) +
         key.s[3][x & 0xFF];
}

// Deciphering is enciphering with the P-array read backwards, so one routine
// serves both directions. Every P position is a compile-time constant, which
// lets the sixteen rounds compile to straight-line code.
template <CipherDirection direction>
constexpr std::size_t PIndex(std::size_t step) {
  return direction == CipherDirection::Encipher ? step : kPWords - 1 - step;
}

// Two rounds per pair, the halves trading roles instead of places. The P word
// is mixed in first so that it stays off the chain of dependent lookups.
template <CipherDirection direction, std::size_t... pair>
[[gnu::always_inline]] inline void Rounds(const CipherKey& key, std::uint32_t& l, std::uint32_t& r,
                                          std::index_sequence<pair...>) {
  ((r = (r ^ key.p[PIndex<direction>(2 * pair + 1)]) ^ Feistel(key, l),
    l = (l ^ key.p[PIndex<direction>(2 * pair + 2)]) ^ Feistel(key, r)),
   ...);
}

template <CipherDirection direction>
[[gnu::always_inline]] inline void CipherBlock(const CipherKey& key, std::uint32_t& l,
                                               std::uint32_t& r) {
  std::uint32_t left = l ^ key.p[PIndex<direction>(0)];
  std::uint32_t right = r;
  Rounds<direction>(key, left, right, std::make_index_sequence<8>{});
  l = right ^ key.p[PIndex<direction>(kPWords - 1)];
  r = left;
}

std::uint32_t LoadBigEndian(const unsigned char* bytes) {
  return std::uint32_t{bytes[0]} << 24 | std::uint32_t{bytes[1]} << 16 |
         std::uint32_t{bytes[2]} << 8 | std::uint32_t{bytes[3]};
}

void StoreBigEndian(std::uint32_t word, unsigned char* bytes) {
  bytes[0] = static_cast<unsigned char>(word >> 24);
  bytes[1] = static_cast<unsigned char>(word >> 16);
  bytes[2] = static_cast<unsigned char>(word >> 8);
  bytes[3] = static_cast<unsigned char>(word);
}

template <CipherDirection direction>
void CipherEachBlock(const CipherKey& key, unsigned char* buffer, std::size_t length) {
  const std::size_t end = length - length % kCipherBlockSize;
  for (std::size_t at = 0; at < end; at += kCipherBlockSize) {
    std::uint32_t l = LoadBigEndian(buffer + at);
    std::uint32_t r = LoadBigEndian(buffer + at + 4);
    CipherBlock<direction>(key, l, r);
    StoreBigEndian(l, buffer + at);
    StoreBigEndian(r, buffer + at + 4);
  }
}

}  // namespace

// The expanded key is as secret as the password it came from: clear it before
// its storage is handed to other code. Volatile stores keep the compiler
// from dropping the writes to a dying object.
void WipeCipherKey(CipherKey& key) {
  volatile std::uint32_t* p = key.p;
  for (std::size_t i = 0; i < std::size(key.p); ++i) p[i] = 0;
  for (auto& box : key.s) {
    volatile std::uint32_t* s = box;
    for (std::size_t i = 0; i < std::size(box); ++i) s[i] = 0;
  }
}

void MakeCipherKey(std::string_view password, CipherKey& key) {
  if (password.empty()) {
    throw std::invalid_argument("The cipher password must hold at least one byte.");
  }
  key = kBlowfishInitialKey;

  // The password is cycled over the P-array; the 18 words take 72 bytes, so
  // later bytes of a longer password never reach the key.
  std::size_t at = 0;
  for (std::uint32_t& word : key.p) {
    std::uint32_t mixed = 0;
    for (int byte = 0; byte < 4; ++byte) {
      mixed = mixed << 8 | static_cast<unsigned char>(password[at]);
      at = at + 1 == password.size() ? 0 : at + 1;
    }
    word ^= mixed;
  }

  // One chain of encipherments, each under the key as replaced so far,
  // refills the P-array and then the S-boxes.
  std::uint32_t l = 0;
  std::uint32_t r = 0;
  for (std::size_t i = 0; i < kPWords; i += 2) {
    CipherBlock<CipherDirection::Encipher>(key, l, r);
    key.p[i] = l;
    key.p[i + 1] = r;
  }
  for (auto& box : key.s) {
    for (std::size_t i = 0; i < std::size(box); i += 2) {
      CipherBlock<CipherDirection::Encipher>(key, l, r);
      box[i] = l;
      box[i + 1] = r;
    }
  }
}

void EncipherBlock(const CipherKey& key, std::uint32_t& l, std::uint32_t& r) {
  CipherBlock<CipherDirection::Encipher>(key, l, r);
}

void DecipherBlock(const CipherKey& key, std::uint32_t& l, std::uint32_t& r) {
  CipherBlock<CipherDirection::Decipher>(key, l, r);
}

void CipherBlocks(unsigned char* buffer, std::size_t length, CipherDirection direction,
                  const CipherKey& key) {
  if (direction == CipherDirection::Encipher) {
    CipherEachBlock<CipherDirection::Encipher>(key, buffer, length);
  } else {
    CipherEachBlock<CipherDirection::Decipher>(key, buffer, length);
  }
}

void CipherBlocks(unsigned char* buffer, std::size_t length, CipherDirection direction,
                  std::string_view password) {
  CipherKey key;
  MakeCipherKey(password, key);
  CipherBlocks(buffer, length, direction, key);
  WipeCipherKey(key);
}

}  // namespace quilor
