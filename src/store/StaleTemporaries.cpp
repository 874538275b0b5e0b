#include "StaleTemporaries.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <exception>
#include <string_view>
#include <vector>

#include "WholeFile.h"

namespace quilor {

namespace {

constexpr std::string_view kFileMark = ".quilor-tmp-";
constexpr std::string_view kStagingMark = ".quilor-cli-";
// What the tool stages in its folder: the new data file under this name, and
// that file's own temporary.
constexpr std::string_view kStagedName = "data.xtr";
constexpr std::string_view kRandomPart = "XXXXXX";

std::string FolderOf(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// True for prefix followed by what mkstemp puts in place of "XXXXXX".
bool FitsTemplate(std::string_view name, std::string_view prefix) {
  if (name.size() != prefix.size() + kRandomPart.size() || !name.starts_with(prefix)) return false;
  name.remove_prefix(prefix.size());
  return std::all_of(name.begin(), name.end(),
                     [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
}

std::string FilePrefix(std::string_view name) {
  std::string prefix(name);
  prefix.append(kFileMark);
  return prefix;
}

std::string StagingPrefix(std::string_view name) {
  std::string prefix(".");
  prefix.append(name).append(kStagingMark);
  return prefix;
}

bool OwnedBy(const struct stat& info, uid_t user) { return info.st_uid == user; }

std::vector<std::string> EntriesOf(int folderFd) {
  std::vector<std::string> names;
  const int fd = ::dup(folderFd);
  if (fd < 0) return names;
  DIR* folder = ::fdopendir(fd);
  if (folder == nullptr) {
    ::close(fd);
    return names;
  }
  while (const dirent* entry = ::readdir(folder)) {
    const std::string_view name = entry->d_name;
    if (name != "." && name != "..") names.emplace_back(name);
  }
  ::closedir(folder);
  return names;
}

bool IsOwnRegularFile(int folderFd, const std::string& name, uid_t user) {
  struct stat info {};
  return ::fstatat(folderFd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 &&
         S_ISREG(info.st_mode) && OwnedBy(info, user);
}

// A staging folder goes only when all it holds is the tool's own staged
// files: whatever else someone put there stays, with the folder.
void RemoveStagingFolder(int folderFd, const std::string& name, uid_t user) {
  const int fd = ::openat(folderFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return;
  struct stat info {};
  bool ours = ::fstat(fd, &info) == 0 && OwnedBy(info, user);
  const std::vector<std::string> entries = ours ? EntriesOf(fd) : std::vector<std::string>{};
  for (const std::string& entry : entries) {
    ours = ours && (entry == kStagedName || FitsTemplate(entry, FilePrefix(kStagedName))) &&
           IsOwnRegularFile(fd, entry, user);
  }
  if (ours) {
    for (const std::string& entry : entries) ::unlinkat(fd, entry.c_str(), 0);
  }
  ::close(fd);
  if (ours) ::unlinkat(folderFd, name.c_str(), AT_REMOVEDIR);
}

}  // namespace

std::string TemporaryFileTemplate(const std::string& target) {
  std::string path = FolderOf(target);
  path.append("/").append(FilePrefix(NameOf(target))).append(kRandomPart);
  return path;
}

std::string StagingFolderTemplate(const std::string& target) {
  std::string path = FolderOf(target);
  path.append("/").append(StagingPrefix(NameOf(target))).append(kRandomPart);
  return path;
}

void RemoveStaleTemporaries(const std::string& path) {
  std::string target;
  try {
    target = ResolveLinks(path);
  } catch (const std::exception&) {
    return;  // a write through that link fails as well, and says so
  }
  const int folderFd = ::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folderFd < 0) return;
  const uid_t user = ::geteuid();
  const std::string name = NameOf(target);
  for (const std::string& entry : EntriesOf(folderFd)) {
    if (FitsTemplate(entry, FilePrefix(name))) {
      if (IsOwnRegularFile(folderFd, entry, user)) ::unlinkat(folderFd, entry.c_str(), 0);
    } else if (FitsTemplate(entry, StagingPrefix(name))) {
      RemoveStagingFolder(folderFd, entry, user);
    }
  }
  ::close(folderFd);
}

}  // namespace quilor
