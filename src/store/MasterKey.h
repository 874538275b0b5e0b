#pragma once

#include <cstddef>
#include <string_view>

#include "Blowfish.h"
#include "LockedBytes.h"

namespace quilor {

// The master password (Windows-1254 bytes) together with the cipher key
// built from it, both in locked memory that is wiped when the key goes. The
// key is built once here and serves every field of every load and save
// under this password.
class MasterKey {
 public:
  // Throws std::invalid_argument for an empty password, as the cipher does.
  explicit MasterKey(std::string_view password);

  std::string_view password() const;
  const CipherKey& cipherKey() const;
  bool matches(std::string_view password) const;

 private:
  LockedBytes memory_;
  std::size_t passwordSize_;
};

}  // namespace quilor
