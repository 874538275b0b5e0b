// A protected field's stored text comes from the data file, which anyone may
// have edited: decoding and decrypting it must stay in bounds whatever it holds.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "Base64.h"
#include "TextCipher.h"

namespace {

void Require(bool holds) {
  if (!holds) std::abort();
}

}  // namespace

// Input: one byte choosing the password length (1 to 80, so past the 72 bytes
// that count), the password, then the stored text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const auto* bytes = reinterpret_cast<const char*>(data);
  const std::size_t passwordLength = std::min<std::size_t>(1 + data[0] % 80, size - 1);
  const std::string_view password(bytes + 1, passwordLength);
  const std::string_view stored(bytes + 1 + passwordLength, size - 1 - passwordLength);

  const std::string cipher = quilor::DecodeBase64(stored);
  Require(cipher.size() <= stored.size() / 4 * 3);
  Require(quilor::DecodeBase64(quilor::EncodeBase64(cipher)) == cipher);

  std::string value = cipher;
  quilor::DecryptText(value, password);
  Require(value.size() <= cipher.size() && value.size() + 8 >= cipher.size());

  // Whatever was loaded must survive being stored and loaded again.
  std::string again = value;
  quilor::EncryptText(again, password);
  quilor::DecryptText(again, password);
  Require(again == value);
  return 0;
}
