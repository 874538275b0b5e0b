#pragma once

#include <chrono>
#include <functional>
#include <vector>

#include "KeySink.h"
#include "ScriptPieces.h"

namespace quilor {

// Types the pieces of a script in order and makes its pauses with `wait`.
// An unclosed brace ends only its own piece; an invalid repeat count, or a
// keyboard that stops, ends the whole run (by exception).
void RunScriptPieces(const std::vector<ScriptPiece>& pieces, Keyboard& keyboard,
                     const std::function<void(std::chrono::milliseconds)>& wait);

}  // namespace quilor
