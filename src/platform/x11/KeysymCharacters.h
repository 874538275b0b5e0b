#pragma once

#include <X11/X.h>

namespace quilor {

// The character a keysym types, or 0 when it types none (function keys,
// modifiers, dead keys). Keymaps bind many letters to the legacy keysyms
// of the old 8-bit sets (the Turkish layout puts "ğ" on gbreve, not on the
// Unicode keysym), so characters must be compared by code point.
char32_t CharacterOfKeysym(KeySym keysym);

// The keysym to bind to a spare key so that it types the character.
KeySym KeysymOfCharacter(char32_t character);

}  // namespace quilor
