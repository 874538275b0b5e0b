#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace quilor {

// No real collection comes near this size; a larger file is refused before
// it is read, so that a hostile one cannot make the reader take the memory
// of the machine.
inline constexpr long long kMaxReadBytes = 64LL * 1024 * 1024;
// UTF-8, shown to the user after the file's path.
inline constexpr const char* kFileTooLargeText =
    "dosya 64 MB'tan büyük olduğu için okunmadı; dosya değiştirilmedi";

// The bytes of the file at path; none when there is no such file. Anything
// but a regular file (a FIFO would block the reader for good) and any other
// failure throws std::runtime_error (CannotReadText); a file over
// kMaxReadBytes throws with kFileTooLargeText after its path.
std::optional<std::string> ReadWholeFile(const std::string& path);

// The path of the file that path names once its symbolic links are
// followed; path itself when it is no link. The last link may point at a file
// that does not exist yet. Throws std::runtime_error (CannotWriteText) for a
// link that cannot be read or a loop of links.
std::string ResolveLinks(const std::string& path);

// Runs on the new file, complete and durable, just before it takes the
// place of the old one: whatever it throws stops the write, and that
// exception is passed on with the old file left as it was.
using BeforeReplace = std::function<void(const std::string& newFile)>;

// Writes content to a new file beside the file path names, its links
// followed (mode 0600), makes it durable and then renames it over that file,
// so a failure at any step leaves it exactly as it was, and a link at path
// stays a link. Throws std::runtime_error (CannotWriteText), or what check
// throws.
void ReplaceWholeFile(const std::string& path, std::string_view content,
                      const BeforeReplace& check = {});

// Removes the file path names, its links followed (a link at path stays);
// a missing file is no failure. Throws std::runtime_error (CannotWriteText)
// when it stays.
void RemoveFile(const std::string& path);

}  // namespace quilor
