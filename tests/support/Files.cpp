#include "Files.h"

#include <stdlib.h>
#include <sys/stat.h>

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace quilor::test {

TempFolder::TempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "quilor-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out.flush()) throw std::runtime_error("cannot write " + path);
}

FileStamp StampOf(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) throw std::runtime_error("cannot stat " + path);
  return {static_cast<unsigned long long>(info.st_ino), static_cast<long long>(info.st_mtim.tv_sec),
          static_cast<long>(info.st_mtim.tv_nsec)};
}

}  // namespace quilor::test
