#pragma once

#include <string>
#include <vector>

#include "KeySink.h"

namespace quilor::test {

// A US keyboard as the engine sees it: the key of a character is named
// after the character its key types unshifted. "€" sits on AltGr+e, as on
// many European layouts; anything else beyond ASCII has no key.
class FakeUsLayout final : public KeyLayout {
 public:
  std::optional<KeyStroke> strokeFor(char32_t character) override;
};

// Writes down every event as text: "+a"/"-a" for a key going down and up,
// "+Shift", "+vk9" for a named key's virtual-key number, "NumLock", and a
// message in brackets.
class RecordingKeySink final : public KeySink {
 public:
  void press(Key key) override { events.push_back(KeyText(key).insert(0, 1, '+')); }
  void release(Key key) override { events.push_back(KeyText(key).insert(0, 1, '-')); }
  void toggleNumLock() override { events.push_back("NumLock"); }
  void showMessage(EngineMessage message) override {
    events.push_back(std::string("[") + EngineMessageText(message) + "]");
  }

  std::string joined() const;
  static std::string KeyText(Key key);

  std::vector<std::string> events;
};

// The US layout and the recorder as one keyboard.
class RecordingKeyboard final : public Keyboard {
 public:
  std::optional<KeyStroke> strokeFor(char32_t c) override { return layout.strokeFor(c); }
  void press(Key key) override { sink.press(key); }
  void release(Key key) override { sink.release(key); }
  void toggleNumLock() override { sink.toggleNumLock(); }
  void showMessage(EngineMessage message) override { sink.showMessage(message); }

  FakeUsLayout layout;
  RecordingKeySink sink;
};

}  // namespace quilor::test
