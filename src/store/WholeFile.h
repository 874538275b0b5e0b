#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quilor {

// The bytes of the file at path; none when there is no such file. Any other
// failure throws std::runtime_error ("Unable to read <path>").
std::optional<std::string> ReadWholeFile(const std::string& path);

// The path of the file that path names once its symbolic links are
// followed; path itself when it is no link. The last link may point at a file
// that does not exist yet. Throws std::runtime_error ("Unable to write to
// <path>") for a link that cannot be read or a loop of links.
std::string ResolveLinks(const std::string& path);

// Writes content to a new file beside the file path names, its links
// followed (mode 0600), makes it durable and then renames it over that file,
// so a failure at any step leaves it exactly as it was, and a link at path
// stays a link. Throws std::runtime_error ("Unable to write to <path>").
void ReplaceWholeFile(const std::string& path, std::string_view content);

// Removes the file path names, its links followed (a link at path stays);
// a missing file is no failure. Throws std::runtime_error ("Unable to write
// to <path>") when it stays.
void RemoveFile(const std::string& path);

}  // namespace quilor
