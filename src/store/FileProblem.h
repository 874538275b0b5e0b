#pragma once

#include <string>

namespace quilor {

// Why a file operation failed, in the user's words, for the system's error
// number (errno).
std::string FileProblemText(int error);

// The messages of a data file that cannot be written or read: the file,
// why, and what to do about it.
std::string CannotWriteText(const std::string& path, const std::string& why);
std::string CannotReadText(const std::string& path, const std::string& why);

}  // namespace quilor
