#pragma once

#include <optional>
#include <string>

#include "LockFolder.h"

namespace quilor {

// One copy per desktop session and one per data file: a second copy in the
// same session is refused whichever folder it was started from, and so is a
// second copy on the same data file from any other session of the user, as
// well as quilor-cli import on that file. The locks live in the user's
// private lock folder, so another user's copies and processes neither count
// nor can stand in the way, and the kernel releases them when the process
// ends, however it ends. Nothing is written beside the data file.
class SingleInstance {
 public:
  // For this process: the session from DISPLAY (or WAYLAND_DISPLAY), the
  // user's lock folder. Throws LockError when that folder is not safe to use.
  explicit SingleInstance(const std::string& dataFilePath);
  SingleInstance(const LockFolderPlaces& places, const std::string& sessionLockName,
                 const std::string& dataFileLockName);

  // False when another copy holds the session or the data file.
  bool acquired() const { return dataFile_.has_value(); }

 private:
  LockFolder folder_;
  std::optional<HeldLock> session_;
  std::optional<HeldLock> dataFile_;
};

}  // namespace quilor
