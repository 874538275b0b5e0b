#include "PadlockPicture.h"

#include <QPainter>
#include <QPainterPath>
#include <QPalette>

namespace quilor {

QPixmap PadlockPicture(const QPalette& palette, qreal devicePixelRatio) {
  constexpr int kSize = 56;
  QPixmap picture(QSize(kSize, kSize) * devicePixelRatio);
  picture.setDevicePixelRatio(devicePixelRatio);
  picture.fill(Qt::transparent);

  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  const QColor ink = palette.color(QPalette::Highlight);

  // Shackle: an arch whose legs reach down into the body.
  QPen shackle(ink.darker(115), 6, Qt::SolidLine, Qt::FlatCap);
  painter.setPen(shackle);
  QPainterPath arch;
  arch.moveTo(17, 28);
  arch.lineTo(17, 18);
  arch.arcTo(QRectF(17, 5, 22, 26), 180, -180);
  arch.lineTo(39, 28);
  painter.drawPath(arch);

  // Body with a keyhole cut out of it.
  painter.setPen(Qt::NoPen);
  painter.setBrush(ink);
  painter.drawRoundedRect(QRectF(9, 25, 38, 28), 5, 5);
  painter.setBrush(palette.color(QPalette::Base));
  painter.drawEllipse(QPointF(28, 35.5), 4, 4);
  painter.drawRect(QRectF(26.5, 37, 3, 9));
  return picture;
}

}  // namespace quilor
