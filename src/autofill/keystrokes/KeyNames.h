#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace quilor {

// Virtual-key numbers the engine gives special treatment.
namespace virtual_key {
inline constexpr std::uint32_t kEnter = 13;
inline constexpr std::uint32_t kNumLock = 144;
}  // namespace virtual_key

// The virtual key of a braced key name such as "TAB" or "PGDN". Names are
// upper case and matched exactly; nullopt when there is no such name.
std::optional<std::uint32_t> VirtualKeyOfName(std::u32string_view name);

}  // namespace quilor
