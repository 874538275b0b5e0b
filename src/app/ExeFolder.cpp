#include "ExeFolder.h"

#include <filesystem>
#include <stdexcept>

#include "FileProblem.h"

namespace quilor {

std::string ExeFolder() {
  std::error_code error;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) {
    throw std::runtime_error("Programın klasörü bulunamadı (" + FileProblemText(error.value()) +
                             "). Programı kurulduğu klasörden yeniden başlatınız.");
  }
  std::string folder = exe.parent_path().string();
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

std::string DataFilePath() { return ExeFolder() + "data.xtr"; }

}  // namespace quilor
