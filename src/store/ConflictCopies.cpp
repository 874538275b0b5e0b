#include "ConflictCopies.h"

#include <algorithm>
#include <filesystem>
#include <regex>
#include <stdexcept>

#include "WholeFile.h"

namespace quilor {

namespace {

std::string RegexQuoted(const std::string& text) {
  static const std::regex special(R"([.^$|()\[\]{}*+?\\])");
  return std::regex_replace(text, special, R"(\$&)");
}

// The file a data file that is a link (into a synchronised folder) points
// to: the sync engine leaves its copies beside that file, named after it.
std::filesystem::path LinkTarget(const std::string& dataFilePath) {
  try {
    return ResolveLinks(dataFilePath);
  } catch (const std::runtime_error&) {
    return dataFilePath;
  }
}

}  // namespace

std::vector<std::string> ConflictCopiesOf(const std::string& dataFilePath) {
  const std::filesystem::path path = LinkTarget(dataFilePath);
  const std::string stem = RegexQuoted(path.stem().string());
  const std::string extension = RegexQuoted(path.extension().string());
  const std::regex syncthing(stem + R"(\.sync-conflict-\d{8}-\d{6}-[0-9A-Z]{7})" + extension);
  const std::regex nextcloud(stem + R"( \(conflicted copy .*\))" + extension);

  std::vector<std::string> copies;
  std::error_code error;
  const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    const std::string name = entry.path().filename().string();
    if (std::regex_match(name, syncthing) || std::regex_match(name, nextcloud)) {
      copies.push_back(entry.path().string());
    }
  }
  std::sort(copies.begin(), copies.end());
  return copies;
}

}  // namespace quilor
