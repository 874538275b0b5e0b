#include "ProcessHardening.h"

#include <sys/prctl.h>
#include <sys/resource.h>

namespace quilor {

void DisableCoreDumps() {
  const rlimit none{0, 0};
  setrlimit(RLIMIT_CORE, &none);
  prctl(PR_SET_DUMPABLE, 0, 0, 0, 0);
}

void RaiseMemoryLockLimit() {
  rlimit limit{};
  if (getrlimit(RLIMIT_MEMLOCK, &limit) != 0) return;
  limit.rlim_cur = limit.rlim_max;
  setrlimit(RLIMIT_MEMLOCK, &limit);
}

}  // namespace quilor
