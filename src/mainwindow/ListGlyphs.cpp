#include "ListGlyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace quilor {

namespace {

constexpr int kSize = 16;

QPixmap BlankGlyph(int size = kSize) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  return pixmap;
}

}  // namespace

QIcon PadlockGlyph(int size) {
  QPixmap pixmap = BlankGlyph(size);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(double(size) / kSize, double(size) / kSize);
  p.setPen(QPen(QColor(0x60, 0x60, 0x60), 1.6));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(4.5, 1.5, 7, 9), 0, 180 * 16);
  p.drawLine(QPointF(4.5, 6), QPointF(4.5, 7.5));
  p.drawLine(QPointF(11.5, 6), QPointF(11.5, 7.5));
  p.setPen(QPen(QColor(0x8a, 0x6a, 0x10), 1));
  p.setBrush(QColor(0xe8, 0xb8, 0x30));
  p.drawRoundedRect(QRectF(2.5, 7.5, 11, 7.5), 1.5, 1.5);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x50, 0x38, 0x00));
  p.drawEllipse(QPointF(8, 10.5), 1.3, 1.3);
  p.drawRect(QRectF(7.4, 10.5, 1.2, 2.8));
  return QIcon(pixmap);
}

QIcon HeaderArrowGlyph(HeaderGlyph glyph) {
  QPixmap pixmap = BlankGlyph();
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x30, 0x50, 0x90));
  QPainterPath arrow;
  if (glyph == HeaderGlyph::UpArrow) {
    arrow.moveTo(8, 3);
    arrow.lineTo(13, 11);
    arrow.lineTo(3, 11);
  } else {
    arrow.moveTo(3, 5);
    arrow.lineTo(13, 5);
    arrow.lineTo(8, 13);
  }
  arrow.closeSubpath();
  p.drawPath(arrow);
  return QIcon(pixmap);
}

}  // namespace quilor
