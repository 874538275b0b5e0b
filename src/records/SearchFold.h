#pragma once

#include <QString>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace quilor {

// Turkish upper-case folding of one Windows-1254 character: i goes to İ and
// ı to I, so the two I's stay apart; letters outside the Turkish alphabet
// (â, é, ...) keep their case.
unsigned char FoldChar(unsigned char c);

// FoldChar on every byte; the length stays.
std::string FoldText(std::string_view text);
void FoldInPlace(std::span<char> text);

// A search text folded once and matched against many rows.
class RowMatcher {
 public:
  explicit RowMatcher(const QString& searchText);
  // True when a row's search text (AppendRowSearchText) holds the search text.
  bool matches(std::string_view rowSearchText) const;

 private:
  // Empty when the search text holds a character no record can hold.
  std::optional<std::string> folded_;
};

}  // namespace quilor
