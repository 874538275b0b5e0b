// The data file is plain text anyone may have edited: ReadDataFile must read,
// normalise and rewrite whatever it holds, and reading the rewritten file
// must give the same records again (values may still lose a further pair of
// quotation marks, as the profile rules say, but no record comes or goes).
// A file it refuses must stay exactly as it was. Every record read must also
// show, as the command-line tool prints it, whatever numbers it holds.
#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>

#include "DataFile.h"
#include "RecordJson.h"
#include "RecordText.h"

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
  try {
    quilor::ReadDataFile(table, path);
  } catch (const std::runtime_error&) {
    std::ifstream in(path, std::ios::binary);
    const std::string kept{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    Require(kept == std::string(reinterpret_cast<const char*>(data), size));
    std::remove(path.c_str());
    return 0;
  }
  const std::size_t records = table.recordCount();
  Require(std::filesystem::exists(path) == (records > 0));
  const quilor::cli::TextStyle style{.visibleControls = true, .showSecrets = true};
  for (table.first(); !table.eof(); table.next()) {
    Require(!quilor::cli::ShowText(table.current(), style).empty());
    Require(!quilor::cli::ListLine(table.current(), style).empty());
  }
  std::string json;
  quilor::cli::WriteRecordsAsJson(table, [&](std::string_view piece) { json.append(piece); });
  Require(!json.empty());

  quilor::ReadDataFile(table, path);
  Require(table.recordCount() == records);
  std::remove(path.c_str());
  return 0;
}
