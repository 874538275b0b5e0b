#include "ScriptRun.h"

#include "Cp1254.h"
#include "KeyScript.h"

namespace quilor {

void RunScriptPieces(const std::vector<ScriptPiece>& pieces, Keyboard& keyboard,
                     const std::function<void(std::chrono::milliseconds)>& wait) {
  for (const ScriptPiece& piece : pieces) {
    if (piece.isWait) {
      if (piece.waitMilliseconds > 0) wait(std::chrono::milliseconds(piece.waitMilliseconds));
      continue;
    }
    TypeKeys(FromCp1254(piece.keys).toStdU32String(), keyboard, keyboard);
  }
}

}  // namespace quilor
