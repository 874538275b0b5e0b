#include "Unavailable.h"

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

std::unique_ptr<IdleProbe> MakeUnavailableIdleProbe() {
  return std::make_unique<UnavailableIdleProbe>();
}
std::unique_ptr<GlobalHotKey> MakeUnavailableHotKey() {
  return std::make_unique<UnavailableHotKey>();
}

}  // namespace quilor
