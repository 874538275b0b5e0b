#pragma once

#include <QString>
#include <optional>
#include <string>
#include <string_view>

#include "RecordRow.h"

namespace quilor {

// Turkish upper-case folding of one Windows-1254 character: i goes to İ and
// ı to I, so the two I's stay apart; letters outside the Turkish alphabet
// (â, é, ...) keep their case.
unsigned char FoldChar(unsigned char c);

// FoldChar on every byte; the length stays.
std::string FoldText(std::string_view text);

// What a search looks in: the caption and cells 1 to 5 (group, description,
// web address, special codes), joined by single blanks, so that a search
// text may run across two cells. Windows-1254 bytes.
std::string RowSearchText(const RecordRow& row);

// A search text folded once and matched against many rows.
class RowMatcher {
 public:
  explicit RowMatcher(const QString& searchText);
  bool matches(const RecordRow& row) const;

 private:
  // Empty when the search text holds a character no record can hold.
  std::optional<std::string> folded_;
};

}  // namespace quilor
