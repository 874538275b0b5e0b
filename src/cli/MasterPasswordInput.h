#pragma once

#include <string>

namespace quilor::cli {

// The master password as Windows-1254 bytes. From a terminal it is read
// without echo after the prompt on stderr (and asked twice when confirm is
// set, since a typing error would lock a new file for good); otherwise it is
// the first line of standard input without its line end. Throws CliError
// when it is empty, cannot be read or holds a character Windows-1254 lacks.
std::string ReadMasterPassword(bool confirm);

}  // namespace quilor::cli
