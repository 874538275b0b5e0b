#pragma once

#include <QIcon>

#include "ColumnSort.h"

namespace quilor {

// The record list's 16 by 16 glyphs, drawn rather than shipped as files.
QIcon PadlockGlyph();
QIcon HeaderArrowGlyph(HeaderGlyph glyph);

}  // namespace quilor
