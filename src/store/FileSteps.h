#pragma once

#include <cstddef>
#include <string>

namespace quilor {

// The operating-system calls through which the data file is read and
// replaced, one per step. Each returns what its POSIX call returns (-1 with errno on failure),
// so a test can make any single step fail exactly as the system would.
class FileSteps {
 public:
  virtual ~FileSteps() = default;
  virtual long read(int fd, char* buffer, std::size_t size);
  // Creates and opens a new file from a mkstemp template, mode 0600.
  virtual int open(std::string& pathTemplate);
  virtual long write(int fd, const char* data, std::size_t size);
  virtual int sync(int fd);
  virtual int close(int fd);
  virtual int rename(const std::string& from, const std::string& to);
  virtual int remove(const std::string& path);
};

// The steps in use: the real system calls unless a ScopedFileSteps is alive.
FileSteps& CurrentFileSteps();

// Puts other steps in place for its lifetime (tests).
class ScopedFileSteps {
 public:
  explicit ScopedFileSteps(FileSteps& steps);
  ~ScopedFileSteps();
  ScopedFileSteps(const ScopedFileSteps&) = delete;
  ScopedFileSteps& operator=(const ScopedFileSteps&) = delete;

 private:
  FileSteps* previous_;
};

}  // namespace quilor
