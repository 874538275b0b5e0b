#pragma once

#include "Blowfish.h"

namespace quilor {

// Blowfish's starting P-array and S-boxes: the hexadecimal digits of the
// fractional part of pi, in order. Every key starts as a copy of these.
extern const CipherKey kBlowfishInitialKey;

}  // namespace quilor
