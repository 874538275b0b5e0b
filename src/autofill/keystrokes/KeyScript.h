#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "KeySink.h"

namespace quilor {

// One step of a parsed key script.
struct KeyStep {
  enum class Action : std::uint8_t { Press, Release, Tap, ToggleNumLock, Message };
  Action action;
  Key key{};                // Press, Release, Tap
  std::uint32_t count = 0;  // Tap: press and release this many times
  EngineMessage message{};  // Message
};

// A key script turned into the events it stands for. Parsing never types;
// only playing does.
struct KeyProgram {
  enum class End : std::uint8_t {
    Completed,     // the end of the text was reached
    Empty,         // there was nothing to type
    NoClose,       // a brace was never closed; nothing after it is typed
    InvalidCount,  // a repeat count is not a whole number; the run stops
  };
  std::vector<KeyStep> steps;
  End end = End::Completed;
  std::u32string invalidCount;  // the offending text, for InvalidCount
};

// A repeat count such as "{TAB x}" that is not a whole number. It ends the
// whole auto-fill run and is shown like any other error.
class InvalidRepeatCount : public std::runtime_error {
 public:
  explicit InvalidRepeatCount(std::u32string_view text);
};

// Parses a key script. The layout is asked which key types each plain
// character; the text ends at its first NUL, if any.
//
// The language: a character is typed as it is; "+", "^" and "%" hold Shift,
// Ctrl and Alt for the next key or for a group in "(...)"; "~" is Enter;
// "{NAME}" or "{NAME n}" presses a named key (n times); "{x}" types the one
// character x (letters a-z as capitals); "{{}" and "{}}" type the braces.
KeyProgram ParseKeyScript(std::u32string_view text, KeyLayout& layout);

// Sends a parsed script's events to the sink.
void PlayKeyProgram(const KeyProgram& program, KeySink& sink);

// Parses and plays a script. True when its end was reached (also after
// messages about unknown keys); false for an empty text or an unclosed
// brace. Throws InvalidRepeatCount after the keys before the bad count.
bool TypeKeys(std::u32string_view text, KeyLayout& layout, KeySink& sink);

}  // namespace quilor
