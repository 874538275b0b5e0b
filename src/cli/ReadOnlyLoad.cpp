#include "ReadOnlyLoad.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <exception>

#include "CliTexts.h"
#include "ExitCodes.h"
#include "ProtectedRecords.h"
#include "SilentAbort.h"
#include "TempFolder.h"

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

 private:
  int fd_;
};

void WriteCopy(const std::string& path, const std::string& bytes) {
  Descriptor fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
  if (fd.get() < 0) FileError(path, text::kFileUnwritable, errno);
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd.get(), bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) FileError(path, text::kFileUnwritable, errno);
    done += static_cast<std::size_t>(n);
  }
}

}  // namespace

std::string ReadFileBytes(const std::string& path) {
  Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) {
    if (errno == ENOENT) FileError(path, text::kFileMissing, 0);
    FileError(path, text::kFileUnreadable, errno);
  }
  struct stat info {};
  if (::fstat(fd.get(), &info) != 0) FileError(path, text::kFileUnreadable, errno);
  if (!S_ISREG(info.st_mode)) FileError(path, text::kNotRegularFile, 0);
  std::string bytes;
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) FileError(path, text::kFileUnreadable, errno);
    if (n == 0) return bytes;
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
}

void LoadFromBytes(RecordTable& table, const std::string& bytes, std::string_view masterPassword,
                   const std::string& shownPath) {
  TempFolder scratch(ScratchParent());
  const std::string copy = scratch.file("data.xtr");
  WriteCopy(copy, bytes);
  try {
    LoadRecords(table, copy, masterPassword, LoadSteps{});
  } catch (const SilentAbort&) {
    throw CliError(kExitWrongPassword, kWrongMasterPasswordText);
  } catch (const std::exception& e) {
    // The store names the file it worked on; the user knows only theirs.
    std::string detail = e.what();
    for (auto at = detail.find(copy); at != std::string::npos;
         at = detail.find(copy, at + shownPath.size())) {
      detail.replace(at, copy.size(), shownPath);
    }
    throw CliError(kExitFile, shownPath + ": " + text::kFileUnreadable + " (" + detail + ")");
  }
}

}  // namespace quilor::cli
