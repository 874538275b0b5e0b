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

// Always at least one pad byte, so a text that itself ends in a small byte
// value is never mistaken for padding.
void AppendPad(std::string& text) {
  const std::size_t pad = kCipherBlockSize - text.size() % kCipherBlockSize;
  text.append(pad, static_cast<char>(pad));
}

// A wrong password or damaged data usually leaves no valid pad; the text
// then keeps its full length and the caller's own check rejects it.
void RemovePad(std::string& text) { text.erase(text.size() - PadLength(text)); }

// Builds the key only for a text that needs one, so that an empty text under
// an empty password stays the no-op it always was.
class KeyForOneText {
 public:
  explicit KeyForOneText(std::string_view password) { MakeCipherKey(password, key_); }
  ~KeyForOneText() { WipeCipherKey(key_); }
  KeyForOneText(const KeyForOneText&) = delete;
  KeyForOneText& operator=(const KeyForOneText&) = delete;
  const CipherKey& key() const { return key_; }

 private:
  CipherKey key_;
};

}  // namespace

void EncryptText(std::string& text, const CipherKey& key) {
  if (text.empty()) return;
  AppendPad(text);
  CipherBlocks(Bytes(text), text.size(), CipherDirection::Encipher, key);
}

void DecryptText(std::string& text, const CipherKey& key) {
  if (text.empty()) return;
  CipherBlocks(Bytes(text), text.size(), CipherDirection::Decipher, key);
  RemovePad(text);
}

// A refused password must leave the caller's text as it was: the key is
// built, and may throw, before the pad is added.
void EncryptText(std::string& text, std::string_view password) {
  if (text.empty()) return;
  const KeyForOneText once(password);
  EncryptText(text, once.key());
}

void DecryptText(std::string& text, std::string_view password) {
  if (text.empty()) return;
  const KeyForOneText once(password);
  DecryptText(text, once.key());
}

}  // namespace quilor
