#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace quilor {

// What identifies the data file as it was read: where it lives on disk, its
// size and modification time, and a hash of its bytes. A sync engine that
// puts a new version in place changes the inode; one that writes in place
// changes the bytes, or at least the time; either makes two snapshots differ.
struct FileSnapshot {
  bool exists = false;
  unsigned long long device = 0;
  unsigned long long inode = 0;
  long long size = 0;
  long long modifiedNs = 0;
  // Tells two versions of the file apart; it is no defence against a forged
  // file, since whoever can write the file can change it anyway. A fast hash:
  // every save reads the whole file once before it writes.
  std::size_t contentHash = 0;
  bool operator==(const FileSnapshot&) const = default;
};

struct SnapshotRead {
  FileSnapshot snapshot;
  std::optional<std::string> bytes;  // none when there is no file
};

// Reads the file at path (its links followed) together with its snapshot.
// A file replaced while it is being read is read again, so bytes and
// snapshot belong to one version. Throws std::runtime_error as
// ReadWholeFile does.
SnapshotRead ReadWithSnapshot(const std::string& path);

inline FileSnapshot SnapshotOf(const std::string& path) { return ReadWithSnapshot(path).snapshot; }

// True while the file at path is the version snapshot was taken of as far as
// the system tells without reading it: the same place on disk, size and
// modification time, or still no file. For the last look before a write
// takes the file's place.
bool StillInPlace(const std::string& path, const FileSnapshot& snapshot);

}  // namespace quilor
