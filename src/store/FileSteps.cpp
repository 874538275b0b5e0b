#include "FileSteps.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>

namespace quilor {

namespace {

FileSteps& SystemSteps() {
  static FileSteps steps;
  return steps;
}

FileSteps* current = nullptr;

}  // namespace

long FileSteps::read(int fd, char* buffer, std::size_t size) {
  return static_cast<long>(::read(fd, buffer, size));
}

int FileSteps::open(std::string& pathTemplate) {
  return ::mkostemp(pathTemplate.data(), O_CLOEXEC);
}

long FileSteps::write(int fd, const char* data, std::size_t size) {
  return static_cast<long>(::write(fd, data, size));
}

int FileSteps::sync(int fd) { return ::fsync(fd); }

int FileSteps::close(int fd) { return ::close(fd); }

int FileSteps::rename(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str());
}

int FileSteps::remove(const std::string& path) { return ::unlink(path.c_str()); }

FileSteps& CurrentFileSteps() { return current ? *current : SystemSteps(); }

ScopedFileSteps::ScopedFileSteps(FileSteps& steps) : previous_(current) { current = &steps; }

ScopedFileSteps::~ScopedFileSteps() { current = previous_; }

}  // namespace quilor
