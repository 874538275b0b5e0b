#include "MasterKey.h"

#include <cstring>
#include <new>

namespace quilor {

// The key lies at the start of the pages, which suits its alignment; the
// password bytes follow it.
MasterKey::MasterKey(std::string_view password)
    : memory_(sizeof(CipherKey) + password.size()), passwordSize_(password.size()) {
  auto* key = new (memory_.data()) CipherKey;
  MakeCipherKey(password, *key);
  std::memcpy(memory_.data() + sizeof(CipherKey), password.data(), password.size());
}

std::string_view MasterKey::password() const {
  return {reinterpret_cast<const char*>(memory_.data() + sizeof(CipherKey)), passwordSize_};
}

const CipherKey& MasterKey::cipherKey() const {
  return *std::launder(reinterpret_cast<const CipherKey*>(memory_.data()));
}

bool MasterKey::matches(std::string_view password) const { return this->password() == password; }

}  // namespace quilor
