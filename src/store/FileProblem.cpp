#include "FileProblem.h"

#include <cerrno>

#include "StoreTexts.h"

namespace quilor {

namespace texts = store_texts;

std::string FileProblemText(int error) {
  switch (error) {
    case ENOSPC:
    case EDQUOT:
      return texts::kNoSpace;
    case EACCES:
    case EPERM:
      return texts::kNoPermission;
    case EROFS:
      return texts::kReadOnlyDisk;
    case EIO:
      return texts::kDiskError;
    case ENOENT:
    case ENOTDIR:
      return texts::kNoSuchFolder;
    case ELOOP:
      return texts::kTooManyLinks;
    case EISDIR:
      return texts::kNotAFile;
    default:
      return texts::kSystemError + std::to_string(error);
  }
}

std::string CannotWriteText(const std::string& path, const std::string& why) {
  return texts::kCannotWrite + path + " (" + why + ")." + texts::kCannotWriteAdvice;
}

std::string CannotReadText(const std::string& path, const std::string& why) {
  return texts::kCannotRead + path + " (" + why + ")." + texts::kCannotReadAdvice;
}

}  // namespace quilor
