#include "LockNames.h"

#include <sys/stat.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>

namespace quilor {

namespace {

// FNV-1a: stable across builds and runs, which std::hash does not promise.
// Two keys sharing a name would only make two copies refuse each other.
std::string Hashed(std::string_view prefix, std::string_view key) {
  std::uint64_t hash = 14695981039346656037ull;
  for (const unsigned char c : key) {
    hash ^= c;
    hash *= 1099511628211ull;
  }
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
  return std::string(prefix) + hex + ".lock";
}

// "host:display.screen" without the screen; "unix" is the local host.
std::string SessionOfX11Display(std::string_view display) {
  const std::size_t colon = display.rfind(':');
  if (colon == std::string_view::npos) return std::string(display);
  std::string_view host = display.substr(0, colon);
  std::string_view number = display.substr(colon + 1);
  if (host == "unix") host = {};
  number = number.substr(0, number.find('.'));
  return std::string(host) + ":" + std::string(number);
}

}  // namespace

std::string SessionLockName(std::string_view x11Display, std::string_view waylandDisplay) {
  if (!x11Display.empty()) return Hashed("session-", "x11 " + SessionOfX11Display(x11Display));
  // Wayland's own default when the variable is unset.
  const std::string_view socket = waylandDisplay.empty() ? "wayland-0" : waylandDisplay;
  return Hashed("session-", "wayland " + std::string(socket));
}

std::string DataFileLockName(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::path absolute = fs::absolute(path, error);
  fs::path file = fs::weakly_canonical(absolute, error);
  if (error) file = absolute.lexically_normal();
  // The folder by device and inode, so that two mounts of one folder agree.
  struct stat folder {};
  if (::stat(file.parent_path().c_str(), &folder) == 0) {
    return Hashed("data-", std::to_string(folder.st_dev) + ":" + std::to_string(folder.st_ino) +
                               "/" + file.filename().string());
  }
  return Hashed("data-", file.string());
}

}  // namespace quilor
