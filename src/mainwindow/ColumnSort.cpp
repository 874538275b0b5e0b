#include "ColumnSort.h"

#include <array>

namespace quilor {

HeaderGlyph GlyphForDirection(bool descending) {
  return descending ? HeaderGlyph::UpArrow : HeaderGlyph::DownArrow;
}

std::optional<std::string_view> SortFieldOfColumn(int column) {
  // The change columns sort by their date; the store adds the time kept
  // beside it.
  static constexpr std::array<std::string_view, 9> kFieldOfColumn{
      "ALAN2", "ALAN10", "ALAN6", "ALAN7", "ALAN8", "ALAN9", "ALAN11", "ALAN12", "ALAN14"};
  if (column < 0 || column >= int(kFieldOfColumn.size())) return std::nullopt;
  return kFieldOfColumn[column];
}

ColumnClickResult ClickColumn(const SortState& current, int column) {
  ColumnClickResult result;
  result.state.field = std::string(SortFieldOfColumn(column).value_or(current.field));
  result.state.descending = result.state.field == current.field ? !current.descending : false;
  result.glyphColumn = column;
  result.glyph = GlyphForDirection(result.state.descending);
  return result;
}

}  // namespace quilor
