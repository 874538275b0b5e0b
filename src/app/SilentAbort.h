#pragma once

namespace quilor {

// Ends the running user action without any further report. The user has
// already been told why; the guard at the action's entry point swallows it.
struct SilentAbort {};

}  // namespace quilor
