#pragma once

#include <QPixmap>

class QPalette;

namespace quilor {

// The picture at the top of the master password dialog: a padlock drawn in
// the palette's highlight colour, sharp at the given device pixel ratio.
QPixmap PadlockPicture(const QPalette& palette, qreal devicePixelRatio);

}  // namespace quilor
