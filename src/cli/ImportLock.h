#pragma once

#include <string>

#include "LockFolder.h"

namespace quilor::cli {

// The data file's lock, the one a running program holds on its data file:
// held for the whole import, so the program cannot open the file midway and
// a running program does not later save its stale table over the imported
// records. Once it is held, what a killed write of the file left beside it
// is removed. Throws CliError (in use) while another process holds it.
HeldLock LockForImport(const std::string& dataFile);

}  // namespace quilor::cli
