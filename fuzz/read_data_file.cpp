// The data file is plain text anyone may have edited: ReadDataFile must read,
// normalise and rewrite whatever it holds, and reading the rewritten file
// must give the same records again (values may still lose a further pair of
// quotation marks, as the profile rules say, but no record comes or goes).
#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "DataFile.h"

namespace {

void Require(bool holds) {
  if (!holds) std::abort();
}

// In memory where the system has such a folder: the rewrite syncs the file.
const std::string& FilePath() {
  static const std::string path = [] {
    std::string folder = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
    folder += "/quilor-fuzz-XXXXXX";
    Require(mkdtemp(folder.data()) != nullptr);
    static const std::string made = folder;
    std::atexit([] { std::filesystem::remove_all(made); });
    return folder + "/data.xtr";
  }();
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string& path = FilePath();
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  quilor::RecordTable table;
  quilor::ReadDataFile(table, path);
  const std::size_t records = table.recordCount();
  Require(std::filesystem::exists(path) == (records > 0));

  quilor::ReadDataFile(table, path);
  Require(table.recordCount() == records);
  std::remove(path.c_str());
  return 0;
}
