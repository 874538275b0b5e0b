#pragma once

#include <cstddef>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quilor::cli {

struct JsonMember;

// One parsed JSON value. Objects keep their members in document order, and
// every value remembers where it starts so that later checks can point at it.
struct JsonValue {
  enum class Kind { Null, Boolean, Number, String, Array, Object };

  Kind kind = Kind::Null;
  bool boolean = false;
  double number = 0;
  std::string string;  // UTF-8
  std::vector<JsonValue> items;
  std::vector<JsonMember> members;
  std::size_t offset = 0;  // byte offset of the value's first character
};

struct JsonMember {
  std::string key;
  std::size_t keyOffset = 0;
  JsonValue value;
};

// 1-based line and column; columns count characters, not bytes.
struct TextPosition {
  int line = 1;
  int column = 1;
};
TextPosition PositionOf(std::string_view text, std::size_t offset);

// A problem found at one place of a JSON text: a syntax error, or a value
// that cannot be used where it stands.
class JsonError : public std::runtime_error {
 public:
  JsonError(const std::string& message, std::size_t offset)
      : std::runtime_error(message), offset_(offset) {}
  std::size_t offset() const { return offset_; }

 private:
  std::size_t offset_;
};

// Parses one JSON document (RFC 8259, UTF-8, an optional byte order mark).
// Duplicate keys in an object are an error: silently keeping one of two
// values would lose data the user meant to import.
JsonValue ParseJson(std::string_view text);

// Reads a document that is an array item by item: each item goes to each as
// soon as it is read and is dropped after, so that a hostile array is
// refused at its first unusable item instead of being held whole. False,
// with nothing read, when the document does not start as an array. Throws
// JsonError as ParseJson does.
bool ForEachArrayItem(std::string_view text, const std::function<void(JsonValue&)>& each);

// Overwrites every string in value (the plain secrets of an import among
// them) and empties it.
void WipeJson(JsonValue& value);

// Appends text (UTF-8) as a JSON string literal.
void AppendJsonString(std::string& out, std::string_view text);
// The same for a text in Windows-1254 bytes, without a UTF-8 copy between.
void AppendCp1254AsJsonString(std::string& out, std::string_view cp1254);
// Appends the shortest decimal form that reads back as the same double.
void AppendJsonNumber(std::string& out, double value);

}  // namespace quilor::cli
