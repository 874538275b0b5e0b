#pragma once

#include <QPixmap>

namespace quilor {

// The about box's pictures, drawn rather than stored, sharp at the given
// device pixel ratio.

// The tall side picture: a key over a night-blue field with the maker's name.
QPixmap SidePicture(qreal devicePixelRatio);
// The maker's logo: a "Z" in a ring.
QPixmap MakerLogo(qreal devicePixelRatio);
// The small key above the lines of a scrolling panel, in the panel's text colour.
QPixmap PanelMark(const QColor& colour, qreal devicePixelRatio);

}  // namespace quilor
