#pragma once

#include <string>
#include <string_view>

namespace quilor {

std::string EncodeBase64(std::string_view bytes);
// A length that is not a multiple of 4 gives ""; decoding ends at the first
// character outside the alphabet ("=" included).
std::string DecodeBase64(std::string_view text);

}  // namespace quilor
