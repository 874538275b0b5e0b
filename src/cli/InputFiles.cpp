#include "InputFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "CliTexts.h"
#include "ExitCodes.h"
#include "ReadToEnd.h"
#include "WholeFile.h"

namespace quilor::cli {

namespace {

[[noreturn]] void FileError(const std::string& path, const char* problem, int error) {
  std::string message = path + ": " + problem;
  if (error != 0) message += std::string(" (") + std::strerror(error) + ")";
  throw CliError(kExitFile, message);
}

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  int release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }

 private:
  int fd_;
};

// Opens path for reading once it proves a regular file within the read
// limit; its size goes to size.
int OpenRegularFile(const std::string& path, off_t& size) {
  // Without O_NONBLOCK, opening a FIFO waits for a writer that may never come.
  Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (fd.get() < 0) {
    if (errno == ENOENT) FileError(path, text::kFileMissing, 0);
    FileError(path, text::kFileUnreadable, errno);
  }
  struct stat info {};
  if (::fstat(fd.get(), &info) != 0) FileError(path, text::kFileUnreadable, errno);
  if (!S_ISREG(info.st_mode)) FileError(path, text::kNotRegularFile, 0);
  if (info.st_size > kMaxReadBytes) FileError(path, kFileTooLargeText, 0);
  size = info.st_size;
  return fd.release();
}

}  // namespace

void CheckReadableFile(const std::string& path) {
  off_t size = 0;
  const Descriptor fd(OpenRegularFile(path, size));
}

std::string ReadFileBytes(const std::string& path) {
  off_t opened = 0;
  const Descriptor fd(OpenRegularFile(path, opened));
  if (::fcntl(fd.get(), F_SETFL, ::fcntl(fd.get(), F_GETFL) & ~O_NONBLOCK) != 0) {
    FileError(path, text::kFileUnreadable, errno);
  }
  std::string bytes;
  const ReadEnd end = ReadToEnd(fd.get(), static_cast<std::size_t>(opened), bytes,
                                [](int from, char* buffer, std::size_t size) {
                                  return static_cast<long>(::read(from, buffer, size));
                                });
  if (end == ReadEnd::TooLarge) FileError(path, kFileTooLargeText, 0);
  if (end == ReadEnd::Failed) FileError(path, text::kFileUnreadable, errno);
  return bytes;
}

}  // namespace quilor::cli
