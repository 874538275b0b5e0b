#pragma once

#include <string>
#include <string_view>

#include "RecordTable.h"

namespace quilor::cli {

// The bytes of the file at path. Throws CliError (file status) when it
// is missing, is not a regular file or cannot be read.
std::string ReadFileBytes(const std::string& path);

// Fills table from a data file's bytes exactly as the program loads its file:
// verified under masterPassword, secrets deciphered, records in file order.
// Loading rewrites the file it reads, and ls, show and export must leave the
// user's file untouched, so the load runs on a private copy of the bytes in
// a scratch folder that is removed afterwards. Throws CliError: the wrong
// password status with the program's message when the password does not fit.
void LoadFromBytes(RecordTable& table, const std::string& bytes, std::string_view masterPassword,
                   const std::string& shownPath);

}  // namespace quilor::cli
