#pragma once

#include <string>
#include <string_view>

namespace quilor {

// The lock that one desktop session allows one copy of. The session is the X
// display without its screen (":0", ":0.1" and "unix:0" are one session);
// without an X display, the Wayland display.
std::string SessionLockName(std::string_view x11Display, std::string_view waylandDisplay);

// The lock that one data file allows one user of. Every path that reaches
// the same file gives the same name: relative or absolute, through symbolic
// links, "." and "..", or another mount of the same folder. The file itself
// need not exist yet.
std::string DataFileLockName(const std::string& path);

}  // namespace quilor
