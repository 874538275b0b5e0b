#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quilor {

// The bytes of the file at path; none when there is no such file. Any other
// failure throws std::runtime_error ("Unable to read <path>").
std::optional<std::string> ReadWholeFile(const std::string& path);

// Writes content to a new file beside path (mode 0600), makes it durable and
// then renames it over path, so a failure at any step leaves the file at path
// exactly as it was. Throws std::runtime_error ("Unable to write to <path>").
void ReplaceWholeFile(const std::string& path, std::string_view content);

// Removes the file at path; a missing file is no failure. Throws
// std::runtime_error ("Unable to write to <path>") when it stays.
void RemoveFile(const std::string& path);

}  // namespace quilor
