#include "Json.h"

#include <charconv>
#include <cmath>
#include <set>

#include "CliTexts.h"
#include "Cp1254.h"
#include "SecureWipe.h"

namespace quilor::cli {

namespace {

// Our files are two levels deep; the bound only keeps hostile input from
// exhausting the stack.
constexpr int kMaxDepth = 256;

bool IsContinuationByte(unsigned char c) { return (c & 0xC0) == 0x80; }

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

class Parser {
 public:
  explicit Parser(std::string_view text) : text_(text) {}

  JsonValue document() {
    skipByteOrderMark();
    JsonValue value = parseValue(0);
    skipBlanks();
    if (pos_ != text_.size()) fail(text::kJsonTrailing);
    return value;
  }

  // The top-level array's items, read as parseArray reads them.
  bool arrayItems(const std::function<void(JsonValue&)>& each) {
    skipByteOrderMark();
    skipBlanks();
    if (peek() != '[' || atEnd()) return false;
    ++pos_;
    skipBlanks();
    if (peek() == ']' && !atEnd()) {
      ++pos_;
    } else {
      for (;;) {
        JsonValue item = parseValue(1);
        each(item);
        skipBlanks();
        if (atEnd()) fail(text::kJsonEnd);
        const char c = text_[pos_++];
        if (c == ']') break;
        if (c != ',') fail(text::kJsonArraySeparator, pos_ - 1);
      }
    }
    skipBlanks();
    if (pos_ != text_.size()) fail(text::kJsonTrailing);
    return true;
  }

 private:
  [[noreturn]] void fail(const char* message) const { fail(message, pos_); }
  [[noreturn]] void fail(const char* message, std::size_t at) const {
    throw JsonError(std::string(text::kJsonError) + message, at);
  }

  void skipByteOrderMark() {
    if (text_.substr(0, 3) == "\xEF\xBB\xBF") pos_ = 3;
  }

  bool atEnd() const { return pos_ >= text_.size(); }
  char peek() const { return atEnd() ? '\0' : text_[pos_]; }

  void skipBlanks() {
    while (!atEnd() && (peek() == ' ' || peek() == '\t' || peek() == '\n' || peek() == '\r')) {
      ++pos_;
    }
  }

  void expect(char c, const char* message) {
    skipBlanks();
    if (peek() != c || atEnd()) fail(atEnd() ? text::kJsonEnd : message);
    ++pos_;
  }

  void literal(std::string_view word) {
    if (text_.substr(pos_, word.size()) != word) fail(text::kJsonUnexpected);
    pos_ += word.size();
  }

  JsonValue parseValue(int depth) {
    skipBlanks();
    if (atEnd()) fail(text::kJsonEnd);
    if (depth > kMaxDepth) fail(text::kJsonTooDeep);
    JsonValue value;
    value.offset = pos_;
    switch (peek()) {
      case '{':
        value.kind = JsonValue::Kind::Object;
        parseObject(value, depth);
        break;
      case '[':
        value.kind = JsonValue::Kind::Array;
        parseArray(value, depth);
        break;
      case '"':
        value.kind = JsonValue::Kind::String;
        value.string = parseString();
        break;
      case 't':
        literal("true");
        value.kind = JsonValue::Kind::Boolean;
        value.boolean = true;
        break;
      case 'f':
        literal("false");
        value.kind = JsonValue::Kind::Boolean;
        break;
      case 'n':
        literal("null");
        break;
      default:
        value.kind = JsonValue::Kind::Number;
        value.number = parseNumber();
    }
    return value;
  }

  void parseArray(JsonValue& array, int depth) {
    ++pos_;
    skipBlanks();
    if (peek() == ']') {
      ++pos_;
      return;
    }
    for (;;) {
      array.items.push_back(parseValue(depth + 1));
      skipBlanks();
      if (atEnd()) fail(text::kJsonEnd);
      const char c = text_[pos_++];
      if (c == ']') return;
      if (c != ',') fail(text::kJsonArraySeparator, pos_ - 1);
    }
  }

  void parseObject(JsonValue& object, int depth) {
    ++pos_;
    skipBlanks();
    if (peek() == '}') {
      ++pos_;
      return;
    }
    std::set<std::string> keys;
    for (;;) {
      skipBlanks();
      if (atEnd()) fail(text::kJsonEnd);
      if (peek() != '"') fail(text::kJsonKeyExpected);
      JsonMember member;
      member.keyOffset = pos_;
      member.key = parseString();
      if (!keys.insert(member.key).second) fail(text::kJsonDuplicateKey, member.keyOffset);
      expect(':', text::kJsonColon);
      member.value = parseValue(depth + 1);
      object.members.push_back(std::move(member));
      skipBlanks();
      if (atEnd()) fail(text::kJsonEnd);
      const char c = text_[pos_++];
      if (c == '}') return;
      if (c != ',') fail(text::kJsonObjectSeparator, pos_ - 1);
    }
  }

  int hexDigit(char c) const {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  }

  // Reads the four hex digits after "\u"; pos_ is on the backslash.
  char32_t unicodeEscape() {
    const std::size_t start = pos_;
    if (text_.size() - pos_ < 6) fail(text::kJsonBadEscape, start);
    char32_t unit = 0;
    for (std::size_t i = 2; i < 6; ++i) {
      const int d = hexDigit(text_[pos_ + i]);
      if (d < 0) fail(text::kJsonBadEscape, start);
      unit = unit * 16 + static_cast<char32_t>(d);
    }
    pos_ += 6;
    return unit;
  }

  char32_t escapedCodePoint() {
    const std::size_t start = pos_;
    const char32_t unit = unicodeEscape();
    if (unit >= 0xDC00 && unit <= 0xDFFF) fail(text::kJsonLoneSurrogate, start);
    if (unit < 0xD800 || unit > 0xDBFF) return unit;
    if (text_.substr(pos_, 2) != "\\u") fail(text::kJsonLoneSurrogate, start);
    const char32_t low = unicodeEscape();
    if (low < 0xDC00 || low > 0xDFFF) fail(text::kJsonLoneSurrogate, start);
    return 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
  }

  // Copies one UTF-8 encoded character, refusing malformed, overlong and
  // surrogate encodings.
  void copyUtf8(std::string& out) {
    const auto lead = static_cast<unsigned char>(text_[pos_]);
    int length = 0;
    char32_t cp = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
      cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      cp = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      cp = lead & 0x07;
    } else {
      fail(text::kJsonBadUtf8);
    }
    if (text_.size() - pos_ < static_cast<std::size_t>(length)) fail(text::kJsonBadUtf8);
    for (int i = 1; i < length; ++i) {
      const auto c = static_cast<unsigned char>(text_[pos_ + i]);
      if (!IsContinuationByte(c)) fail(text::kJsonBadUtf8);
      cp = (cp << 6) | (c & 0x3F);
    }
    const bool overlong = (length == 3 && cp < 0x800) || (length == 4 && cp < 0x10000);
    if (overlong || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) fail(text::kJsonBadUtf8);
    out.append(text_.substr(pos_, static_cast<std::size_t>(length)));
    pos_ += static_cast<std::size_t>(length);
  }

  std::string parseString() {
    ++pos_;
    std::string out;
    for (;;) {
      if (atEnd()) fail(text::kJsonEnd);
      const auto c = static_cast<unsigned char>(text_[pos_]);
      if (c == '"') {
        ++pos_;
        return out;
      }
      if (c < 0x20) fail(text::kJsonControlInString);
      if (c >= 0x80) {
        copyUtf8(out);
      } else if (c != '\\') {
        out.push_back(static_cast<char>(c));
        ++pos_;
      } else {
        escape(out);
      }
    }
  }

  void escape(std::string& out) {
    if (pos_ + 1 >= text_.size()) fail(text::kJsonEnd);
    const char kind = text_[pos_ + 1];
    const char* simple = nullptr;
    switch (kind) {
      case '"':
        simple = "\"";
        break;
      case '\\':
        simple = "\\";
        break;
      case '/':
        simple = "/";
        break;
      case 'b':
        simple = "\b";
        break;
      case 'f':
        simple = "\f";
        break;
      case 'n':
        simple = "\n";
        break;
      case 'r':
        simple = "\r";
        break;
      case 't':
        simple = "\t";
        break;
      case 'u':
        AppendUtf8(out, escapedCodePoint());
        return;
      default:
        fail(text::kJsonBadEscape);
    }
    out.append(simple);
    pos_ += 2;
  }

  void digits() {
    const std::size_t start = pos_;
    while (!atEnd() && peek() >= '0' && peek() <= '9') ++pos_;
    if (pos_ == start) fail(atEnd() ? text::kJsonEnd : text::kJsonBadNumber);
  }

  double parseNumber() {
    const std::size_t start = pos_;
    if (peek() == '-') ++pos_;
    if (atEnd()) fail(text::kJsonEnd);
    if (peek() == '0') {
      ++pos_;
    } else if (peek() >= '1' && peek() <= '9') {
      digits();
    } else {
      fail(pos_ == start ? text::kJsonUnexpected : text::kJsonBadNumber);
    }
    if (peek() == '.') {
      ++pos_;
      digits();
    }
    if (peek() == 'e' || peek() == 'E') {
      ++pos_;
      if (peek() == '+' || peek() == '-') ++pos_;
      digits();
    }
    double value = 0;
    const auto [end, error] = std::from_chars(text_.data() + start, text_.data() + pos_, value);
    if (error != std::errc() || end != text_.data() + pos_ || !std::isfinite(value)) {
      fail(text::kJsonNumberRange, start);
    }
    return value;
  }

  std::string_view text_;
  std::size_t pos_ = 0;
};

}  // namespace

TextPosition PositionOf(std::string_view text, std::size_t offset) {
  TextPosition where;
  const std::size_t end = offset < text.size() ? offset : text.size();
  for (std::size_t i = 0; i < end; ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == '\n') {
      ++where.line;
      where.column = 1;
    } else if (!IsContinuationByte(c) && !(i < 3 && text.substr(0, 3) == "\xEF\xBB\xBF")) {
      ++where.column;
    }
  }
  return where;
}

JsonValue ParseJson(std::string_view text) { return Parser(text).document(); }

bool ForEachArrayItem(std::string_view text, const std::function<void(JsonValue&)>& each) {
  return Parser(text).arrayItems(each);
}

void WipeJson(JsonValue& value) {
  WipeText(value.string);
  for (JsonValue& item : value.items) WipeJson(item);
  for (JsonMember& member : value.members) {
    WipeText(member.key);
    WipeJson(member.value);
  }
  value.items.clear();
  value.members.clear();
}

namespace {

// A character that a JSON string holds escaped: a quote, a backslash, a
// control (C0, DEL, C1), given by its code below U+00A0.
void AppendEscaped(std::string& out, unsigned code) {
  static constexpr char kHex[] = "0123456789abcdef";
  switch (code) {
    case '"':
    case '\\':
      out.push_back('\\');
      out.push_back(static_cast<char>(code));
      return;
    case '\n':
      out.append("\\n");
      return;
    case '\r':
      out.append("\\r");
      return;
    case '\t':
      out.append("\\t");
      return;
    default:
      out.append("\\u00");
      out.push_back(kHex[code >> 4]);
      out.push_back(kHex[code & 0xF]);
  }
}

bool NeedsEscape(unsigned char c) { return c < 0x20 || c == 0x7F || c == '"' || c == '\\'; }

// U+0080..U+009F in UTF-8: C2 80..C2 9F.
bool IsC1Control(unsigned char lead, unsigned char next) {
  return lead == 0xC2 && next >= 0x80 && next <= 0x9F;
}

}  // namespace

// C1 controls are escaped too, so that no invisible character reaches a
// terminal or an editor.
void AppendJsonString(std::string& out, std::string_view text) {
  out.push_back('"');
  std::size_t plainFrom = 0;  // the run of bytes that need no escape, appended at once
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    const bool c1 = i + 1 < text.size() && IsC1Control(c, static_cast<unsigned char>(text[i + 1]));
    if (!NeedsEscape(c) && !c1) continue;
    out.append(text.substr(plainFrom, i - plainFrom));
    AppendEscaped(out, c1 ? static_cast<unsigned char>(text[++i]) : c);
    plainFrom = i + 1;
  }
  out.append(text.substr(plainFrom));
  out.push_back('"');
}

// ASCII runs go over as they are; every other byte is turned into UTF-8 on
// its own, and escaped when it turns out to be a C1 control.
void AppendCp1254AsJsonString(std::string& out, std::string_view cp1254) {
  out.push_back('"');
  std::size_t plainFrom = 0;
  for (std::size_t i = 0; i < cp1254.size(); ++i) {
    const auto c = static_cast<unsigned char>(cp1254[i]);
    if (c < 0x80 && !NeedsEscape(c)) continue;
    out.append(cp1254.substr(plainFrom, i - plainFrom));
    plainFrom = i + 1;
    if (c < 0x80) {
      AppendEscaped(out, c);
      continue;
    }
    const std::size_t at = out.size();
    AppendCp1254AsUtf8(out, cp1254.substr(i, 1));
    const bool twoBytes = out.size() - at == 2;
    if (twoBytes &&
        IsC1Control(static_cast<unsigned char>(out[at]), static_cast<unsigned char>(out[at + 1]))) {
      const auto code = static_cast<unsigned char>(out[at + 1]);
      out.resize(at);
      AppendEscaped(out, code);
    }
  }
  out.append(cp1254.substr(plainFrom));
  out.push_back('"');
}

void AppendJsonNumber(std::string& out, double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, result.ptr);
}

}  // namespace quilor::cli
