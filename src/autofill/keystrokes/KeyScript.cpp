#include "KeyScript.h"

#include <charconv>
#include <optional>

#include "KeyNames.h"

namespace quilor {

namespace {

constexpr std::size_t kMaxNameLength = 20;

std::string ToUtf8(std::u32string_view text) {
  std::string out;
  for (const char32_t c : text) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

// A signed decimal number that fits 32 bits, nothing else around it.
std::optional<std::int32_t> ParseWholeNumber(std::u32string_view text) {
  std::string ascii;
  for (const char32_t c : text) {
    if (c >= 0x80) return std::nullopt;
    ascii += static_cast<char>(c);
  }
  std::string_view digits = ascii;
  // from_chars takes a minus sign but no plus sign.
  if (digits.starts_with('+')) {
    digits.remove_prefix(1);
    if (digits.starts_with('-')) return std::nullopt;
  }
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return value;
}

char32_t UpperAscii(char32_t c) { return c >= U'a' && c <= U'z' ? c - (U'a' - U'A') : c; }

// The modifier keys in the order they are pressed and released.
struct ModifierBit {
  std::uint8_t bit;
  Modifier modifier;
};
constexpr ModifierBit kModifierBits[] = {
    {shift_state::kShift, Modifier::Shift},
    {shift_state::kControl, Modifier::Control},
    {shift_state::kAlt, Modifier::Alt},
    {shift_state::kAltGr, Modifier::AltGr},
};

class Parser {
 public:
  Parser(std::u32string_view text, KeyLayout& layout) : text_(text), layout_(layout) {
    const std::size_t nul = text_.find(U'\0');
    if (nul != std::u32string_view::npos) text_ = text_.substr(0, nul);
  }

  KeyProgram run() {
    if (text_.empty()) {
      program_.end = KeyProgram::End::Empty;
      return std::move(program_);
    }
    std::size_t i = 0;
    while (i < text_.size() && program_.end == KeyProgram::End::Completed) i = step(i);
    // Whatever the script still holds is let go, also when it ends inside a
    // group or stops early: the user's keyboard must not be left with Shift,
    // Ctrl or Alt pressed.
    inGroup_ = false;
    releaseHeld();
    return std::move(program_);
  }

 private:
  // Handles the construct at position i; returns where the next one starts.
  std::size_t step(std::size_t i) {
    switch (text_[i]) {
      case U'+':
        hold(Modifier::Shift, shiftHeld_);
        return i + 1;
      case U'^':
        hold(Modifier::Control, ctrlHeld_);
        return i + 1;
      case U'%':
        hold(Modifier::Alt, altHeld_);
        return i + 1;
      case U'(':
        inGroup_ = true;
        return i + 1;
      case U')':
        inGroup_ = false;
        releaseHeld();
        return i + 1;
      case U'~':
        add({KeyStep::Action::Tap, Key::named(virtual_key::kEnter), 1});
        releaseHeld();
        return i + 1;
      case U'{':
        return braced(i);
      default:
        plainCharacter(text_[i]);
        return i + 1;
    }
  }

  std::size_t braced(std::size_t open) {
    // "{" and "}" are typed with the key that makes them on the layout in
    // use, so they come out right on layouts that put them elsewhere.
    if (open + 1 < text_.size() && text_[open + 1] == U'{') {
      plainCharacter(U'{');
      return open + 3;
    }
    const std::size_t close = text_.find(U'}', open + 1);
    if (close == std::u32string_view::npos) {
      message(EngineMessage::NoClose);
      program_.end = KeyProgram::End::NoClose;
      return text_.size();
    }
    if (close + 1 < text_.size() && text_[close + 1] == U'}') {
      plainCharacter(U'}');
      return close + 2;
    }
    std::u32string name(text_.substr(open + 1, std::min(close - open - 1, kMaxNameLength)));
    for (char32_t& c : name) c = UpperAscii(c);
    namedGroup(name);
    return close + 1;
  }

  void namedGroup(std::u32string_view name) {
    std::uint32_t count = 1;
    const std::size_t blank = name.find(U' ');
    if (blank != std::u32string_view::npos) {
      const std::u32string_view countText = name.substr(blank + 1);
      const std::optional<std::int32_t> value = ParseWholeNumber(countText);
      if (!value) {
        program_.end = KeyProgram::End::InvalidCount;
        program_.invalidCount = countText;
        return;
      }
      count = static_cast<std::uint16_t>(*value);
      name = name.substr(0, blank);
    }
    std::optional<KeyStroke> stroke;
    if (name.size() == 1) {
      stroke = layout_.strokeFor(name.front());
    } else if (const std::optional<std::uint32_t> vk = VirtualKeyOfName(name)) {
      stroke = KeyStroke{Key::named(*vk), 0};
    } else {
      message(EngineMessage::InvalidKeyName);
    }
    if (!stroke) return;
    type(*stroke, count);
    releaseHeld();
  }

  void plainCharacter(char32_t character) {
    const std::optional<KeyStroke> stroke = layout_.strokeFor(character);
    if (!stroke) {
      message(EngineMessage::InvalidCharacter);
      return;
    }
    type(*stroke, 1);
    releaseHeld();
  }

  void type(const KeyStroke& stroke, std::uint32_t count) {
    for (const ModifierBit& m : kModifierBits) {
      if (stroke.shiftState & m.bit) add({KeyStep::Action::Press, Key::modifier(m.modifier)});
    }
    if (stroke.key == Key::named(virtual_key::kNumLock)) {
      add({KeyStep::Action::ToggleNumLock});
    } else if (count > 0) {
      add({KeyStep::Action::Tap, stroke.key, count});
    }
    for (const ModifierBit& m : kModifierBits) {
      if (stroke.shiftState & m.bit) add({KeyStep::Action::Release, Key::modifier(m.modifier)});
    }
  }

  void hold(Modifier modifier, bool& held) {
    add({KeyStep::Action::Press, Key::modifier(modifier)});
    held = true;
  }

  void releaseHeld() {
    if (inGroup_) return;
    if (shiftHeld_) add({KeyStep::Action::Release, Key::modifier(Modifier::Shift)});
    if (ctrlHeld_) add({KeyStep::Action::Release, Key::modifier(Modifier::Control)});
    if (altHeld_) add({KeyStep::Action::Release, Key::modifier(Modifier::Alt)});
    shiftHeld_ = ctrlHeld_ = altHeld_ = false;
  }

  void message(EngineMessage m) {
    KeyStep step{KeyStep::Action::Message};
    step.message = m;
    add(step);
  }

  void add(const KeyStep& step) { program_.steps.push_back(step); }

  std::u32string_view text_;
  KeyLayout& layout_;
  KeyProgram program_;
  bool shiftHeld_ = false;
  bool ctrlHeld_ = false;
  bool altHeld_ = false;
  bool inGroup_ = false;
};

}  // namespace

InvalidRepeatCount::InvalidRepeatCount(std::u32string_view text)
    : std::runtime_error(ToUtf8(U"'" + std::u32string(text) + U"' is not a valid integer value")) {}

KeyProgram ParseKeyScript(std::u32string_view text, KeyLayout& layout) {
  return Parser(text, layout).run();
}

void PlayKeyProgram(const KeyProgram& program, KeySink& sink) {
  for (const KeyStep& step : program.steps) {
    switch (step.action) {
      case KeyStep::Action::Press:
        sink.press(step.key);
        break;
      case KeyStep::Action::Release:
        sink.release(step.key);
        break;
      case KeyStep::Action::Tap:
        for (std::uint32_t n = 0; n < step.count; ++n) {
          sink.press(step.key);
          sink.release(step.key);
        }
        break;
      case KeyStep::Action::ToggleNumLock:
        sink.toggleNumLock();
        break;
      case KeyStep::Action::Message:
        sink.showMessage(step.message);
        break;
    }
  }
}

bool TypeKeys(std::u32string_view text, KeyLayout& layout, KeySink& sink) {
  const KeyProgram program = ParseKeyScript(text, layout);
  PlayKeyProgram(program, sink);
  if (program.end == KeyProgram::End::InvalidCount) throw InvalidRepeatCount(program.invalidCount);
  return program.end == KeyProgram::End::Completed;
}

const char* EngineMessageText(EngineMessage message) {
  switch (message) {
    case EngineMessage::InvalidKeyName:
      return "Invalid Key Name";
    case EngineMessage::InvalidCharacter:
      return "Invalid KeyName";
    case EngineMessage::NoClose:
      return "No Close";
  }
  return "";
}

}  // namespace quilor
