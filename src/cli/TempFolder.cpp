#include "TempFolder.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

#include "CliTexts.h"
#include "ExitCodes.h"

namespace quilor::cli {

TempFolder::TempFolder(const std::string& pathTemplate) {
  std::vector<char> buffer(pathTemplate.begin(), pathTemplate.end());
  buffer.push_back('\0');
  if (mkdtemp(buffer.data()) == nullptr) {
    const std::string parent = std::filesystem::path(pathTemplate).parent_path().string();
    throw CliError(kExitFile,
                   parent + ": " + text::kFileUnwritable + " (" + std::strerror(errno) + ")");
  }
  path_ = buffer.data();
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace quilor::cli
