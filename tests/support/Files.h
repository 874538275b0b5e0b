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

}  // namespace quilor::test
