#pragma once

#include <string>
#include <string_view>

#include "Blowfish.h"

namespace quilor {

// Pads text to whole blocks (p bytes of value p, 1..8) and enciphers it in
// place under password. An empty text stays empty.
void EncryptText(std::string& text, std::string_view password);
// Deciphers in place and removes a valid pad. Never fails on a wrong password.
void DecryptText(std::string& text, std::string_view password);

// The same under a key built once for many texts; the bytes are those the
// password forms give.
void EncryptText(std::string& text, const CipherKey& key);
void DecryptText(std::string& text, const CipherKey& key);

}  // namespace quilor
