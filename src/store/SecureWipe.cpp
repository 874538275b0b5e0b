#include "SecureWipe.h"

#include <string.h>

namespace quilor {

void WipeText(std::string& text) {
  text.resize(text.capacity());
  explicit_bzero(text.data(), text.size());
  text.clear();
}

}  // namespace quilor
