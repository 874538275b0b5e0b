#pragma once

#include <sys/types.h>

#include <optional>
#include <stdexcept>
#include <string>

namespace quilor {

// The locks cannot be taken for a reason other than another holder: the
// folder is not safe to use, or the system refused. The text is for the user.
class LockError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// An exclusive flock on one file of the lock folder. The kernel drops it when
// the descriptor closes: with this object, or when the process ends in any
// way, SIGKILL included. The descriptor is close-on-exec, so a program started
// from ours (the browser opened for a web address) never keeps the lock.
class HeldLock {
 public:
  explicit HeldLock(int fd) : fd_(fd) {}
  HeldLock(HeldLock&& other) noexcept;
  HeldLock& operator=(HeldLock&& other) noexcept;
  HeldLock(const HeldLock&) = delete;
  HeldLock& operator=(const HeldLock&) = delete;
  ~HeldLock();

 private:
  int fd_;
};

// The places a user's lock folder may be, best first. Chosen from the user id
// alone, never from the environment: every session of the user, and
// quilor-cli in a terminal, must arrive at the same folder, and two sessions
// may well carry different XDG_RUNTIME_DIR values (or none).
struct LockFolderPlaces {
  uid_t owner = 0;
  // The login manager's runtime folder, /run/user/<uid>. Used when it exists
  // as a private folder of the user; no other user can make it.
  std::string runtimeFolder;
  // The fallback, /tmp/quilor-<uid>, made by us. Anyone can create a name in
  // /tmp, so it is used only when it is a real folder of the user that no one
  // else can enter; otherwise nothing starts.
  std::string tempFolder;

  static LockFolderPlaces ForThisUser();
};

// The user's private lock folder, open for as long as the object lives.
class LockFolder {
 public:
  // Throws LockError when neither place is usable.
  static LockFolder Open(const LockFolderPlaces& places = LockFolderPlaces::ForThisUser());
  LockFolder(LockFolder&& other) noexcept;
  LockFolder& operator=(LockFolder&&) = delete;
  LockFolder(const LockFolder&) = delete;
  LockFolder& operator=(const LockFolder&) = delete;
  ~LockFolder();

  const std::string& path() const { return path_; }

  // The lock of that name, or nothing while another process holds it.
  // Throws LockError when the lock file cannot be opened.
  std::optional<HeldLock> tryLock(const std::string& name) const;

 private:
  LockFolder(std::string path, int fd) : path_(std::move(path)), fd_(fd) {}

  std::string path_;
  int fd_;
};

}  // namespace quilor
