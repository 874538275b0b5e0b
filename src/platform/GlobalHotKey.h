#pragma once

#include <functional>
#include <memory>

namespace quilor {

// Ctrl+Alt+D from anywhere on the desktop, also while a modal dialog is open.
class GlobalHotKey {
 public:
  virtual ~GlobalHotKey() = default;
  // Registers the combination; false when the desktop refuses it (another
  // program holds it, or there is no X server). The program then runs
  // without the hot key.
  virtual bool registerHotKey(std::function<void()> onPressed) = 0;
};

std::unique_ptr<GlobalHotKey> MakeGlobalHotKey();

}  // namespace quilor
