#include "SingleInstance.h"

#include <cstdlib>

#include "LockNames.h"

namespace quilor {

namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

}  // namespace

SingleInstance::SingleInstance(const std::string& dataFilePath)
    : SingleInstance(LockFolderPlaces::ForThisUser(),
                     SessionLockName(Environment("DISPLAY"), Environment("WAYLAND_DISPLAY")),
                     DataFileLockName(dataFilePath)) {}

SingleInstance::SingleInstance(const LockFolderPlaces& places, const std::string& sessionLockName,
                               const std::string& dataFileLockName)
    : folder_(LockFolder::Open(places)), session_(folder_.tryLock(sessionLockName)) {
  if (session_) dataFile_ = folder_.tryLock(dataFileLockName);
  // Holding only the session would refuse the next copy for no reason.
  if (!dataFile_) session_.reset();
}

}  // namespace quilor
