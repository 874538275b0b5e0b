#pragma once

namespace quilor {

// No core dump may ever carry the master password or a deciphered secret to
// disk, and no other process of the user may read this one's memory.
void DisableCoreDumps();

// Lets the process lock as much memory as its hard limit allows, so that
// more of the records' values stay out of swap.
void RaiseMemoryLockLimit();

}  // namespace quilor
