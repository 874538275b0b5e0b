#pragma once

#include <QIcon>

#include "ColumnSort.h"

namespace quilor {

// The record list's 16 by 16 glyphs, drawn rather than shipped as files.
// The padlock also serves, drawn larger, as the window's and the tray's icon.
QIcon PadlockGlyph(int size = 16);
QIcon HeaderArrowGlyph(HeaderGlyph glyph);

}  // namespace quilor
