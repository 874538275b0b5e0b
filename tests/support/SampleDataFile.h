#pragma once

#include <string>
#include <string_view>

namespace quilor::test {

// Writes a data file of three records (Turkish letters included) protected
// under masterPassword, in the normalised form every read of it writes back,
// so that a later read leaves its bytes as they are.
void WriteSampleDataFile(const std::string& path, std::string_view masterPassword);

}  // namespace quilor::test
