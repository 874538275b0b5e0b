#include "TextCipher.h"

#include <algorithm>

#include "Blowfish.h"

namespace quilor {
namespace {

unsigned char* Bytes(std::string& text) { return reinterpret_cast<unsigned char*>(text.data()); }

// The number of pad bytes at the end of text, or 0 when they are not a valid pad.
std::size_t PadLength(const std::string& text) {
  const auto pad = static_cast<unsigned char>(text.back());
  if (pad < 1 || pad > kCipherBlockSize || pad > text.size()) return 0;
  const bool allPad = std::all_of(text.end() - pad, text.end(), [pad](char byte) {
    return static_cast<unsigned char>(byte) == pad;
  });
  return allPad ? pad : 0;
}

}  // namespace

void EncryptText(std::string& text, std::string_view password) {
  if (text.empty()) return;
  const std::size_t plainLength = text.size();
  // Always at least one pad byte, so a text that itself ends in a small byte
  // value is never mistaken for padding.
  const std::size_t pad = kCipherBlockSize - plainLength % kCipherBlockSize;
  text.append(pad, static_cast<char>(pad));
  // A refused password must leave the caller's text as it was: take the pad
  // off again before passing the error on.
  try {
    CipherBlocks(Bytes(text), text.size(), CipherDirection::Encipher, password);
  } catch (...) {
    text.resize(plainLength);
    throw;
  }
}

void DecryptText(std::string& text, std::string_view password) {
  if (text.empty()) return;
  CipherBlocks(Bytes(text), text.size(), CipherDirection::Decipher, password);
  // A wrong password or damaged data usually leaves no valid pad; the text
  // then keeps its full length and the caller's own check rejects it.
  text.erase(text.size() - PadLength(text));
}

}  // namespace quilor
