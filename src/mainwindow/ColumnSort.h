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

// The field a column sorts on; none for a column the list does not have.
std::optional<std::string_view> SortFieldOfColumn(int column);

// A click on the same field again flips the direction; another field starts
// ascending. The arrow goes to the clicked column, which is always the one
// the list is sorted by.
ColumnClickResult ClickColumn(const SortState& current, int column);

}  // namespace quilor
