// Our Blowfish against OpenSSL's, in the same run: the key set-up (done for
// every protected field the program reads or writes) and the block cipher.
#include <benchmark/benchmark.h>
#include <openssl/blowfish.h>

#include <array>
#include <cstdint>
#include <string_view>

#include "Blowfish.h"

namespace {

constexpr std::string_view kPassword = "correct horse 42";
constexpr std::size_t kBufferSize = 4096;

const unsigned char* PasswordBytes() {
  return reinterpret_cast<const unsigned char*>(kPassword.data());
}

std::array<unsigned char, kBufferSize> MakeBuffer() {
  std::array<unsigned char, kBufferSize> buffer;
  for (std::size_t i = 0; i < buffer.size(); ++i) buffer[i] = static_cast<unsigned char>(i * 31);
  return buffer;
}

std::uint32_t LoadBigEndian(const unsigned char* b) {
  return std::uint32_t{b[0]} << 24 | std::uint32_t{b[1]} << 16 | std::uint32_t{b[2]} << 8 | b[3];
}

void StoreBigEndian(std::uint32_t word, unsigned char* b) {
  b[0] = static_cast<unsigned char>(word >> 24);
  b[1] = static_cast<unsigned char>(word >> 16);
  b[2] = static_cast<unsigned char>(word >> 8);
  b[3] = static_cast<unsigned char>(word);
}

void BM_KeySetUp_Quilor(benchmark::State& state) {
  quilor::CipherKey key;
  for (auto _ : state) {
    quilor::MakeCipherKey(kPassword, key);
    benchmark::DoNotOptimize(key);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_KeySetUp_Quilor);

void BM_KeySetUp_OpenSsl(benchmark::State& state) {
  BF_KEY key;
  for (auto _ : state) {
    BF_set_key(&key, static_cast<int>(kPassword.size()), PasswordBytes());
    benchmark::DoNotOptimize(key);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_KeySetUp_OpenSsl);

// Each block feeds the next, so the figure is the latency of one block.
void BM_Block_Quilor(benchmark::State& state) {
  quilor::CipherKey key;
  quilor::MakeCipherKey(kPassword, key);
  std::uint32_t l = 0x01234567;
  std::uint32_t r = 0x89ABCDEF;
  for (auto _ : state) {
    quilor::EncipherBlock(key, l, r);
    benchmark::DoNotOptimize(l);
    benchmark::DoNotOptimize(r);
  }
}
BENCHMARK(BM_Block_Quilor);

void BM_Block_OpenSsl(benchmark::State& state) {
  BF_KEY key;
  BF_set_key(&key, static_cast<int>(kPassword.size()), PasswordBytes());
  BF_LONG data[2] = {0x01234567, 0x89ABCDEF};
  for (auto _ : state) {
    BF_encrypt(data, &key);
    benchmark::DoNotOptimize(data);
  }
}
BENCHMARK(BM_Block_OpenSsl);

// ECB over 4 KiB with a key already built: big-endian halves in and out.
void BM_Ecb4KiB_Quilor(benchmark::State& state) {
  quilor::CipherKey key;
  quilor::MakeCipherKey(kPassword, key);
  auto buffer = MakeBuffer();
  for (auto _ : state) {
    for (std::size_t at = 0; at < buffer.size(); at += 8) {
      std::uint32_t l = LoadBigEndian(&buffer[at]);
      std::uint32_t r = LoadBigEndian(&buffer[at + 4]);
      quilor::EncipherBlock(key, l, r);
      StoreBigEndian(l, &buffer[at]);
      StoreBigEndian(r, &buffer[at + 4]);
    }
    benchmark::DoNotOptimize(buffer);
  }
  state.SetBytesProcessed(state.iterations() * kBufferSize);
}
BENCHMARK(BM_Ecb4KiB_Quilor);

void BM_Ecb4KiB_OpenSsl(benchmark::State& state) {
  BF_KEY key;
  BF_set_key(&key, static_cast<int>(kPassword.size()), PasswordBytes());
  auto buffer = MakeBuffer();
  for (auto _ : state) {
    for (std::size_t at = 0; at < buffer.size(); at += 8) {
      BF_ecb_encrypt(&buffer[at], &buffer[at], &key, BF_ENCRYPT);
    }
    benchmark::DoNotOptimize(buffer);
  }
  state.SetBytesProcessed(state.iterations() * kBufferSize);
}
BENCHMARK(BM_Ecb4KiB_OpenSsl);

// The program's whole path for one call: key set-up plus the buffer.
void BM_CipherBlocks4KiB_Quilor(benchmark::State& state) {
  auto buffer = MakeBuffer();
  for (auto _ : state) {
    quilor::CipherBlocks(buffer.data(), buffer.size(), quilor::CipherDirection::Encipher,
                         kPassword);
    benchmark::DoNotOptimize(buffer);
  }
  state.SetBytesProcessed(state.iterations() * kBufferSize);
}
BENCHMARK(BM_CipherBlocks4KiB_Quilor);

void BM_CipherBlocks4KiB_OpenSsl(benchmark::State& state) {
  auto buffer = MakeBuffer();
  for (auto _ : state) {
    BF_KEY key;
    BF_set_key(&key, static_cast<int>(kPassword.size()), PasswordBytes());
    for (std::size_t at = 0; at < buffer.size(); at += 8) {
      BF_ecb_encrypt(&buffer[at], &buffer[at], &key, BF_ENCRYPT);
    }
    benchmark::DoNotOptimize(buffer);
  }
  state.SetBytesProcessed(state.iterations() * kBufferSize);
}
BENCHMARK(BM_CipherBlocks4KiB_OpenSsl);

}  // namespace
