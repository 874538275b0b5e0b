#pragma once

#include <cstdint>
#include <optional>

namespace quilor {

// The modifiers the script language holds down. AltGr is the third-level
// shift some layouts need for characters such as "@" or "{".
enum class Modifier : std::uint32_t { Shift, Control, Alt, AltGr };

// Which modifiers a character needs on top of its key, as the layout says.
namespace shift_state {
inline constexpr std::uint8_t kShift = 1;
inline constexpr std::uint8_t kControl = 2;
inline constexpr std::uint8_t kAlt = 4;
inline constexpr std::uint8_t kAltGr = 8;
}  // namespace shift_state

// One key the engine presses or releases.
struct Key {
  enum class Kind : std::uint8_t {
    Modifier,  // code is a Modifier
    Named,     // code is the virtual-key number of a braced key name ({TAB} = 9)
    Layout,    // code is whatever the layout handed out for a character
  };
  Kind kind;
  std::uint32_t code;

  static Key modifier(Modifier m) { return {Kind::Modifier, static_cast<std::uint32_t>(m)}; }
  static Key named(std::uint32_t virtualKey) { return {Kind::Named, virtualKey}; }
  bool operator==(const Key&) const = default;
};

// The key and modifiers that type one character on the current layout.
struct KeyStroke {
  Key key;
  std::uint8_t shiftState = 0;  // shift_state bits
};

// Answers which key types a character on the keyboard layout in use.
class KeyLayout {
 public:
  virtual ~KeyLayout() = default;
  virtual std::optional<KeyStroke> strokeFor(char32_t character) = 0;
};

// What the engine tells the user while it types. The texts are fixed:
// users and help pages know them by these words.
enum class EngineMessage { InvalidKeyName, InvalidCharacter, NoClose };
const char* EngineMessageText(EngineMessage message);

// Where the engine's key events go: a real keyboard, or a recorder in tests.
class KeySink {
 public:
  virtual ~KeySink() = default;
  virtual void press(Key key) = 0;
  virtual void release(Key key) = 0;
  virtual void toggleNumLock() = 0;
  // Typing waits until the user has read the message.
  virtual void showMessage(EngineMessage message) = 0;
};

// A keyboard that both answers for its layout and takes the events.
class Keyboard : public KeyLayout, public KeySink {};

}  // namespace quilor
