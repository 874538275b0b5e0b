// The idle probe and the hot key on a desktop that offers neither. They say
// so instead of pretending: the idle lock stays off and Ctrl+Alt+D does nothing.
#include "GlobalHotKey.h"
#include "IdleProbe.h"

namespace quilor {

namespace {

class UnavailableIdleProbe final : public IdleProbe {
 public:
  bool available() const override { return false; }
  std::uint32_t idleMilliseconds() override { return 0; }
};

class UnavailableHotKey final : public GlobalHotKey {
 public:
  bool registerHotKey(std::function<void()>) override { return false; }
};

}  // namespace

std::unique_ptr<IdleProbe> MakeIdleProbe() { return std::make_unique<UnavailableIdleProbe>(); }
std::unique_ptr<GlobalHotKey> MakeGlobalHotKey() { return std::make_unique<UnavailableHotKey>(); }

}  // namespace quilor
