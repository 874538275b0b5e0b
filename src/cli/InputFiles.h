#pragma once

#include <string>

namespace quilor::cli {

// Throws CliError (file status) when path is missing, is not a regular file
// (a FIFO is refused before it could block), is larger than any real
// collection or cannot be opened for reading. Nothing of it is read: this
// is the look before the master password is asked, so that a wrong path
// asks for no secret.
void CheckReadableFile(const std::string& path);

// The bytes of the file at path, after the checks above. Throws CliError as
// they do, and when reading fails or the file grows beyond the limit.
std::string ReadFileBytes(const std::string& path);

}  // namespace quilor::cli
