#include "KeysymCharacters.h"

// The publishing and technical sets hold the typographic marks.
#define XK_PUBLISHING
#define XK_TECHNICAL
#include <X11/keysym.h>

namespace quilor {

namespace {

struct LegacyKeysym {
  KeySym keysym;
  char32_t character;
};

// The legacy keysyms of the characters outside Latin-1 that our texts can
// hold (the Turkish code page), and the tab, which a script may contain.
constexpr LegacyKeysym kLegacyKeysyms[] = {
    {XK_Tab, U'\t'},
    {XK_Gbreve, U'Ğ'},
    {XK_gbreve, U'ğ'},
    {XK_Iabovedot, U'İ'},
    {XK_idotless, U'ı'},
    {XK_Scedilla, U'Ş'},
    {XK_scedilla, U'ş'},
    {XK_Scaron, U'Š'},
    {XK_scaron, U'š'},
    {XK_OE, U'Œ'},
    {XK_oe, U'œ'},
    {XK_Ydiaeresis, U'Ÿ'},
    {XK_function, U'ƒ'},
    {XK_EuroSign, U'€'},
    {XK_emdash, U'—'},
    {XK_endash, U'–'},
    {XK_ellipsis, U'…'},
    {XK_trademark, U'™'},
    {XK_leftsinglequotemark, U'‘'},
    {XK_rightsinglequotemark, U'’'},
    {XK_leftdoublequotemark, U'“'},
    {XK_rightdoublequotemark, U'”'},
    {XK_singlelowquotemark, U'‚'},
    {XK_doublelowquotemark, U'„'},
    {XK_permille, U'‰'},
    {XK_enfilledcircbullet, U'•'},
    {XK_dagger, U'†'},
    {XK_doubledagger, U'‡'},
};

constexpr KeySym kUnicodeKeysymBase = 0x1000000;

bool IsLatin1Keysym(KeySym k) { return (k >= 0x20 && k <= 0x7E) || (k >= 0xA0 && k <= 0xFF); }

}  // namespace

char32_t CharacterOfKeysym(KeySym keysym) {
  if (IsLatin1Keysym(keysym)) return static_cast<char32_t>(keysym);
  if (keysym >= kUnicodeKeysymBase + 0x100 && keysym <= kUnicodeKeysymBase + 0x10FFFF) {
    return static_cast<char32_t>(keysym - kUnicodeKeysymBase);
  }
  for (const LegacyKeysym& legacy : kLegacyKeysyms) {
    if (legacy.keysym == keysym) return legacy.character;
  }
  return 0;
}

KeySym KeysymOfCharacter(char32_t character) {
  if (IsLatin1Keysym(character)) return character;
  for (const LegacyKeysym& legacy : kLegacyKeysyms) {
    if (legacy.character == character) return legacy.keysym;
  }
  return kUnicodeKeysymBase + character;
}

}  // namespace quilor
