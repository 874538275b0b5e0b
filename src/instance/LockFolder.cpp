#include "LockFolder.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "LockTexts.h"

namespace quilor {

namespace {

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

std::string Describe(const std::string& path, int error) {
  return path + " (" + std::strerror(error) + ")";
}

// Why an open folder must not hold our locks, or nullptr when it may: it has
// to belong to the user and be closed to everyone else, or another user could
// take our lock files first, or swap them.
const char* Unsafe(int fd, uid_t owner) {
  struct stat info {};
  if (::fstat(fd, &info) != 0) return text::kLockFolderUnusable;
  if (info.st_uid != owner) return text::kLockFolderOtherOwner;
  if ((info.st_mode & 077) != 0) return text::kLockFolderOpenToOthers;
  return nullptr;
}

// Opens folder name (in at) as a folder, refusing a symbolic link. Throws
// LockError, naming the folder as shownPath.
int OpenFolder(const std::string& name, const std::string& shownPath, uid_t owner, int at) {
  const int fd = ::openat(at, name.c_str(), kFolderFlags);
  if (fd >= 0) return fd;
  const int error = errno;
  if (error == ENOTDIR || error == ELOOP) throw LockError(text::kLockFolderNotAFolder + shownPath);
  // Another user's private folder cannot even be opened: say that it is theirs.
  struct stat info {};
  if (error == EACCES && ::fstatat(at, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 &&
      info.st_uid != owner) {
    throw LockError(text::kLockFolderOtherOwner + shownPath);
  }
  throw LockError(text::kLockFolderUnusable + Describe(shownPath, error));
}

// Makes folder name (in at) if it is missing, then opens it and checks it.
int MakePrivateFolder(const std::string& name, const std::string& shownPath, uid_t owner,
                      int at = AT_FDCWD) {
  if (::mkdirat(at, name.c_str(), 0700) != 0 && errno != EEXIST) {
    throw LockError(text::kLockFolderUnusable + Describe(shownPath, errno));
  }
  const int fd = OpenFolder(name, shownPath, owner, at);
  if (const char* problem = Unsafe(fd, owner)) {
    ::close(fd);
    throw LockError(problem + shownPath);
  }
  return fd;
}

// The login manager's folder when it is there and private, else -1.
int OpenRuntimeFolder(const std::string& path, uid_t owner) {
  if (path.empty()) return -1;
  const int fd = ::open(path.c_str(), kFolderFlags);
  if (fd < 0) return -1;
  if (Unsafe(fd, owner) != nullptr) {
    ::close(fd);
    return -1;
  }
  return fd;
}

}  // namespace

HeldLock::HeldLock(HeldLock&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

HeldLock& HeldLock::operator=(HeldLock&& other) noexcept {
  std::swap(fd_, other.fd_);
  return *this;
}

HeldLock::~HeldLock() {
  if (fd_ >= 0) ::close(fd_);
}

LockFolderPlaces LockFolderPlaces::ForThisUser() {
  const uid_t uid = ::geteuid();
  const std::string id = std::to_string(uid);
  return {uid, "/run/user/" + id, "/tmp/quilor-" + id};
}

LockFolder LockFolder::Open(const LockFolderPlaces& places) {
  std::string path;
  int fd = -1;
  if (const int runtime = OpenRuntimeFolder(places.runtimeFolder, places.owner); runtime >= 0) {
    path = places.runtimeFolder + "/quilor";
    try {
      fd = MakePrivateFolder("quilor", path, places.owner, runtime);
    } catch (...) {
      ::close(runtime);
      throw;
    }
    ::close(runtime);
  } else {
    path = places.tempFolder;
    fd = MakePrivateFolder(path, path, places.owner);
  }
  // Cleaners of /tmp (systemd-tmpfiles) leave a folder alone while someone
  // holds a BSD lock on it, so the lock files of a copy that runs for weeks
  // are not deleted under it. Only a cleaner ever asks for this lock
  // exclusively, so a refusal just means one is looking right now.
  ::flock(fd, LOCK_SH | LOCK_NB);
  return LockFolder(std::move(path), fd);
}

LockFolder::LockFolder(LockFolder&& other) noexcept
    : path_(std::move(other.path_)), fd_(std::exchange(other.fd_, -1)) {}

LockFolder::~LockFolder() {
  if (fd_ >= 0) ::close(fd_);
}

std::optional<HeldLock> LockFolder::tryLock(const std::string& name) const {
  // Only opened, never written: the file's content means nothing.
  const int fd = ::openat(fd_, name.c_str(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) throw LockError(text::kLockFileUnusable + Describe(path_ + "/" + name, errno));
  HeldLock lock(fd);
  while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (errno == EWOULDBLOCK) return std::nullopt;
    if (errno != EINTR)
      throw LockError(text::kLockFileUnusable + Describe(path_ + "/" + name, errno));
  }
  return lock;
}

}  // namespace quilor
