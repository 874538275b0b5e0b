#pragma once

#include <string>

namespace quilor::cli {

// A new folder only its owner can enter (mode 0700), removed with all it
// holds when the object goes. Throws CliError (file status) when it cannot be
// made.
class TempFolder {
 public:
  // Made inside parent, so that a file in it can be renamed beside parent's
  // files without crossing a file system.
  explicit TempFolder(const std::string& parent);
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

}  // namespace quilor::cli
