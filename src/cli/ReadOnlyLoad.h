#pragma once

#include <string>
#include <string_view>

#include "MasterKey.h"
#include "RecordTable.h"

namespace quilor::cli {

// The bytes of the file at path. Throws CliError (file status) when it is
// missing, is not a regular file (a FIFO is refused before it could block),
// is larger than any real collection or cannot be read.
std::string ReadFileBytes(const std::string& path);

// Fills table from a data file's bytes as the program loads its file:
// verified under key, secrets deciphered, records in file order.
// Nothing is written anywhere: ls, show and export leave the user's file
// untouched and make no copy of it. Throws CliError: the wrong password
// status with the program's message when the password does not fit.
void LoadFromBytes(RecordTable& table, std::string bytes, const MasterKey& key,
                   const std::string& path);

}  // namespace quilor::cli
