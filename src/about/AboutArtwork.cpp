#include "AboutArtwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace quilor {

namespace {

const QColor kNight(0x0b, 0x1f, 0x3a);
const QColor kSea(0x1f, 0x6f, 0x8b);
const QColor kGold(0xe8, 0xb9, 0x4a);

QPixmap Canvas(QSize size, qreal devicePixelRatio) {
  QPixmap pixmap(size * devicePixelRatio);
  pixmap.setDevicePixelRatio(devicePixelRatio);
  pixmap.fill(Qt::transparent);
  return pixmap;
}

// A key lying along the y axis, its bow's centre at the origin, unit = the
// bow's radius: the bow with its hole, then the shaft with two bits.
void DrawKey(QPainter& painter, const QColor& colour) {
  QPainterPath bow;
  bow.setFillRule(Qt::OddEvenFill);
  bow.addEllipse(QPointF(0, 0), 1.0, 1.0);
  bow.addEllipse(QPointF(0, -0.25), 0.35, 0.35);
  QPainterPath shaft;
  shaft.addRect(QRectF(-0.18, 0.9, 0.36, 3.1));
  shaft.addRect(QRectF(0.18, 3.15, 0.5, 0.25));
  shaft.addRect(QRectF(0.18, 3.65, 0.65, 0.3));
  painter.setPen(Qt::NoPen);
  painter.setBrush(colour);
  painter.drawPath(bow);
  painter.drawPath(shaft);
}

}  // namespace

QPixmap SidePicture(qreal devicePixelRatio) {
  const QSize size(150, 380);
  QPixmap pixmap = Canvas(size, devicePixelRatio);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);

  QLinearGradient field(0, 0, 0, size.height());
  field.setColorAt(0, kNight);
  field.setColorAt(1, kSea);
  painter.fillRect(QRect(QPoint(0, 0), size), field);

  // Faint diagonal lines, like the guilloche of a banknote.
  painter.setPen(QPen(QColor(255, 255, 255, 22), 1));
  for (int x = -size.height(); x < size.width(); x += 9) {
    painter.drawLine(x, size.height(), x + size.height(), 0);
  }

  painter.save();
  painter.translate(size.width() / 2.0, 70);
  painter.scale(26, 26);
  DrawKey(painter, kGold);
  painter.restore();

  QFont font = painter.font();
  font.setBold(true);
  font.setPixelSize(17);
  font.setLetterSpacing(QFont::AbsoluteSpacing, 2);
  painter.setFont(font);
  painter.setPen(Qt::white);
  painter.drawText(QRect(0, 200, size.width(), 30), Qt::AlignCenter, QStringLiteral("ZENTARIS"));
  return pixmap;
}

QPixmap MakerLogo(qreal devicePixelRatio) {
  const QSize size(56, 56);
  QPixmap pixmap = Canvas(size, devicePixelRatio);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(kGold, 4));
  painter.setBrush(kNight);
  painter.drawEllipse(QRectF(3, 3, 50, 50));

  QPainterPath zed;
  zed.moveTo(17, 17);
  zed.lineTo(39, 17);
  zed.lineTo(17, 39);
  zed.lineTo(39, 39);
  painter.setPen(QPen(Qt::white, 5, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(zed);
  return pixmap;
}

QPixmap PanelMark(const QColor& colour, qreal devicePixelRatio) {
  const QSize size(20, 34);
  QPixmap pixmap = Canvas(size, devicePixelRatio);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.translate(size.width() / 2.0, 7);
  painter.scale(6.5, 6.5);
  DrawKey(painter, colour);
  return pixmap;
}

}  // namespace quilor
