#pragma once

#include <filesystem>
#include <string>

namespace quilor::test {

// A fresh folder under the system's temporary folder, removed with all it
// holds when the object goes.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // The path of name inside the folder.
  std::string file(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

// A whole file's bytes; throws when it cannot be read.
std::string ReadBytes(const std::string& path);
// Replaces a file's content with bytes; throws when it cannot be written.
void WriteBytes(const std::string& path, const std::string& bytes);

// What tells a file written anew from one left alone: its inode (a replace
// makes a new one) and its modification time to the nanosecond.
struct FileStamp {
  unsigned long long inode = 0;
  long long seconds = 0;
  long nanoseconds = 0;
  bool operator==(const FileStamp&) const = default;
};
// Throws when the file is not there.
FileStamp StampOf(const std::string& path);

}  // namespace quilor::test
