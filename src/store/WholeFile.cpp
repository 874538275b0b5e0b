#include "WholeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

#include "FileProblem.h"
#include "FileSteps.h"
#include "ReadToEnd.h"
#include "StaleTemporaries.h"

namespace quilor {

namespace {

// Each takes the reason from errno, so it is called right after the call
// that failed.
[[noreturn]] void ThrowUnableToWrite(const std::string& path) {
  throw std::runtime_error(CannotWriteText(path, FileProblemText(errno)));
}

[[noreturn]] void ThrowUnableToRead(const std::string& path) {
  throw std::runtime_error(CannotReadText(path, FileProblemText(errno)));
}

std::string FolderOf(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

bool WriteAll(FileSteps& steps, int fd, std::string_view content) {
  while (!content.empty()) {
    const long written = steps.write(fd, content.data(), content.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    content.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// The rename is only durable once the folder's entry is; a failure here
// changes nothing on disk that a later write would not mend, so it is not
// reported.
void SyncFolder(const std::string& path) {
  const int fd = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

std::string ResolveLinks(const std::string& path) {
  // As many links as the kernel itself follows before it gives up.
  constexpr int kMaxLinks = 40;
  std::string current = path;
  for (int links = 0; links <= kMaxLinks; ++links) {
    struct stat info {};
    if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return current;
    std::string target(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 256) + 1, '\0');
    const ssize_t length = ::readlink(current.c_str(), target.data(), target.size());
    if (length < 0 || static_cast<std::size_t>(length) >= target.size()) {
      if (length >= 0) errno = ENAMETOOLONG;
      ThrowUnableToWrite(path);
    }
    target.resize(static_cast<std::size_t>(length));
    // A relative target counts from the folder that holds the link.
    current = target.front() == '/' ? target : FolderOf(current) + "/" + target;
  }
  errno = ELOOP;
  ThrowUnableToWrite(path);
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
  // Without O_NONBLOCK, opening a FIFO waits for a writer that may never come.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    if (errno == ENOENT) return std::nullopt;
    ThrowUnableToRead(path);
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
      ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
    const int error = S_ISREG(info.st_mode) ? errno : EISDIR;
    ::close(fd);
    errno = error;
    ThrowUnableToRead(path);
  }
  auto refuseTooLarge = [&] {
    ::close(fd);
    throw std::runtime_error(path + ": " + kFileTooLargeText);
  };
  if (info.st_size > kMaxReadBytes) refuseTooLarge();
  std::string content;
  const ReadEnd end = ReadToEnd(fd, static_cast<std::size_t>(info.st_size), content,
                                [](int from, char* buffer, std::size_t size) {
                                  return CurrentFileSteps().read(from, buffer, size);
                                });
  if (end == ReadEnd::TooLarge) refuseTooLarge();
  if (end == ReadEnd::Failed) {
    const int error = errno;
    ::close(fd);
    errno = error;
    ThrowUnableToRead(path);
  }
  ::close(fd);
  return content;
}

void ReplaceWholeFile(const std::string& path, std::string_view content,
                      const BeforeReplace& check) {
  // A data file that is a link (into a synchronised folder, say) stays one:
  // the new content replaces the file the link points to, from beside it.
  const std::string target = ResolveLinks(path);
  FileSteps& steps = CurrentFileSteps();
  std::string tempPath = TemporaryFileTemplate(target);
  const int fd = steps.open(tempPath);
  if (fd < 0) ThrowUnableToWrite(path);

  errno = 0;
  const bool written = WriteAll(steps, fd, content) && steps.sync(fd) == 0;
  const bool closed = steps.close(fd) == 0;
  if (written && closed && check) {
    try {
      check(tempPath);
    } catch (...) {
      ::unlink(tempPath.c_str());
      throw;
    }
  }
  if (!written || !closed || steps.rename(tempPath, target) != 0) {
    // A short write without an error number is a full disk.
    const int error = errno != 0 ? errno : ENOSPC;
    ::unlink(tempPath.c_str());
    errno = error;
    ThrowUnableToWrite(path);
  }
  SyncFolder(target);
}

void RemoveFile(const std::string& path) {
  if (CurrentFileSteps().remove(ResolveLinks(path)) != 0 && errno != ENOENT) {
    ThrowUnableToWrite(path);
  }
}

}  // namespace quilor
