#include "ImportLock.h"

#include "CliTexts.h"
#include "ExitCodes.h"
#include "LockNames.h"
#include "StaleTemporaries.h"

namespace quilor::cli {

HeldLock LockForImport(const std::string& dataFile) {
  std::optional<HeldLock> lock = LockFolder::Open().tryLock(DataFileLockName(dataFile));
  if (!lock) throw CliError(kExitInUse, dataFile + ": " + text::kDataFileInUse);
  RemoveStaleTemporaries(dataFile);
  return std::move(*lock);
}

}  // namespace quilor::cli
