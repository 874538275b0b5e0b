#include "TempFolder.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

#include "CliTexts.h"
#include "ExitCodes.h"

namespace quilor::cli {

TempFolder::TempFolder(const std::string& parent) {
  std::string pattern = parent + "/.quilor-cli-XXXXXX";
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  if (mkdtemp(buffer.data()) == nullptr) {
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
