#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quilor {

// The header glyphs of the record list, numbered as in its image list.
enum class HeaderGlyph { UpArrow = 1, DownArrow = 2 };

// Ascending shows the downward arrow, descending the upward one.
HeaderGlyph GlyphForDirection(bool descending);

struct SortState {
  std::string field;
  bool descending = false;
};

// What a click on a column header leads to: the new sort state and the one
// column that carries a glyph afterwards.
struct ColumnClickResult {
  SortState state;
  int glyphColumn = 0;
  HeaderGlyph glyph = HeaderGlyph::DownArrow;
};

// The field a column sorts on; none for the date columns (6 to 8), which
// never become a sort key.
std::optional<std::string_view> SortFieldOfColumn(int column);

// A click on the same field again flips the direction; another field starts
// ascending. A date column keeps the field, so it flips the current direction.
ColumnClickResult ClickColumn(const SortState& current, int column);

}  // namespace quilor
