#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace quilor {

enum class ReadEnd { Whole, Failed, TooLarge };

// Reads fd to its end into content through read (::read or a test's
// stand-in). The size the file had when it was opened goes straight into
// room made for it at once; a file that grows meanwhile is read on, up to
// kMaxReadBytes, past which the read stops with TooLarge. Failed leaves
// errno as the read set it; EINTR is read again.
ReadEnd ReadToEnd(int fd, std::size_t expected, std::string& content,
                  const std::function<long(int, char*, std::size_t)>& read);

}  // namespace quilor
