#pragma once

namespace quilor {

// What the desktop offers to bring a window forward. Each attempt waits a
// short, bounded time for the window manager and then tells whether the
// window is the active one.
class ForegroundOps {
 public:
  enum class Which { Window, Owner };

  virtual ~ForegroundOps() = default;
  virtual bool hasOwner() = 0;
  virtual bool isMinimised(Which which) = 0;
  virtual void restore(Which which) = 0;
  virtual bool isForeground() = 0;
  // Asks the window manager to activate the window on the user's behalf.
  virtual bool activateViaWindowManager() = 0;
  // Raises the window and takes the input focus directly.
  virtual bool focusAndRaise() = 0;
  // Minimises the window and restores it (the owner too), which every
  // window manager treats as a request to show it in front.
  virtual bool minimiseAndRestore() = 0;
};

// Un-minimises the window and its owner, then tries the ways forward from
// the gentlest to the bluntest, stopping at the first that works.
bool RunForegroundAttempts(ForegroundOps& ops);

}  // namespace quilor
