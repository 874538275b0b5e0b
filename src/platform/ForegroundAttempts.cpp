#include "ForegroundAttempts.h"

namespace quilor {

bool RunForegroundAttempts(ForegroundOps& ops) {
  using Which = ForegroundOps::Which;
  if (ops.isMinimised(Which::Window)) ops.restore(Which::Window);
  if (ops.hasOwner() && ops.isMinimised(Which::Owner)) ops.restore(Which::Owner);
  if (ops.isForeground()) return true;
  if (ops.activateViaWindowManager()) return true;
  if (ops.focusAndRaise()) return true;
  return ops.minimiseAndRestore();
}

}  // namespace quilor
