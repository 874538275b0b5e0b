#include "FileSnapshot.h"

#include <sys/stat.h>

#include <functional>
#include <stdexcept>
#include <string_view>

#include "FileProblem.h"
#include "StoreTexts.h"
#include "WholeFile.h"

namespace quilor {

namespace {

// The file's place and version as the system tells them; nothing for a file
// that is not there.
std::optional<FileSnapshot> Identity(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return std::nullopt;
  FileSnapshot snapshot;
  snapshot.exists = true;
  snapshot.device = info.st_dev;
  snapshot.inode = info.st_ino;
  snapshot.size = info.st_size;
  snapshot.modifiedNs = info.st_mtim.tv_sec * 1'000'000'000LL + info.st_mtim.tv_nsec;
  return snapshot;
}

}  // namespace

SnapshotRead ReadWithSnapshot(const std::string& path) {
  // A handful of tries is plenty: a sync engine replaces the file in one
  // rename; only a file rewritten without pause could keep changing.
  constexpr int kTries = 5;
  SnapshotRead read;
  for (int attempt = 0; attempt < kTries; ++attempt) {
    const std::optional<FileSnapshot> before = Identity(path);
    read.bytes = ReadWholeFile(path);
    const std::optional<FileSnapshot> after = Identity(path);
    if (before != after || before.has_value() != read.bytes.has_value()) continue;
    read.snapshot = after.value_or(FileSnapshot{});
    if (read.bytes) read.snapshot.contentHash = std::hash<std::string_view>{}(*read.bytes);
    return read;
  }
  throw std::runtime_error(CannotReadText(path, store_texts::kKeepsChanging));
}

bool StillInPlace(const std::string& path, const FileSnapshot& snapshot) {
  const std::optional<FileSnapshot> now = Identity(path);
  if (!now) return !snapshot.exists;
  FileSnapshot read = snapshot;
  read.contentHash = 0;
  return *now == read;
}

}  // namespace quilor
