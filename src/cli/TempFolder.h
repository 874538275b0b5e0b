#pragma once

#include <string>

namespace quilor::cli {

// A new folder only its owner can enter (mode 0700), removed with all it
// holds when the object goes. Throws CliError (file status) when it cannot be
// made.
class TempFolder {
 public:
  // Made by the mkdtemp template pathTemplate. Made beside the file it
  // stages, a file in it can be renamed there without crossing a file
  // system.
  explicit TempFolder(const std::string& pathTemplate);
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

}  // namespace quilor::cli
