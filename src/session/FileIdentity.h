#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>

namespace quilor {

// What tells one state of a file from another without reading it: device,
// inode, size, and the modification and change times to the nanosecond. A
// replace by rename gives a new inode; a write in place moves the change time.
struct FileIdentity {
  bool exists = false;
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  std::int64_t modifiedNs = 0;
  std::int64_t changedNs = 0;

  friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

// The identity of the file at path now; exists is false when there is none.
FileIdentity IdentityOf(const std::string& path);

}  // namespace quilor
