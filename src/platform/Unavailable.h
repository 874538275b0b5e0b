#pragma once

// The idle probe and the hot key on a desktop that offers neither. They say
// so instead of pretending: the idle lock stays off and Ctrl+Alt+D does nothing.

#include <memory>

#include "GlobalHotKey.h"
#include "IdleProbe.h"

namespace quilor {

std::unique_ptr<IdleProbe> MakeUnavailableIdleProbe();
std::unique_ptr<GlobalHotKey> MakeUnavailableHotKey();

}  // namespace quilor
