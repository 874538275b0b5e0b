#pragma once

#include <string>

namespace quilor {

// The data file's text as Windows-1254 bytes, the form the table holds. A
// file an editor saved again as UTF-8 or UTF-16 (little or big endian) with
// its byte-order mark is read in that encoding and converted; any other file
// already is Windows-1254 and comes back as it is. Throws std::runtime_error
// with a message naming path when the Unicode text is malformed or holds a
// character Windows-1254 lacks: such a file must be neither read in part nor
// written over.
std::string DataFileTextInCp1254(std::string bytes, const std::string& path);

}  // namespace quilor
