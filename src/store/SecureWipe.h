#pragma once

#include <string>

namespace quilor {

// Overwrites the whole buffer of a text that held a secret (also the bytes
// past its length that an erase left behind), then empties it.
void WipeText(std::string& text);

}  // namespace quilor
