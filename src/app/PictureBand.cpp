#include "PictureBand.h"

#include <QPainter>

namespace quilor {

PictureBand::PictureBand(QWidget* parent) : QWidget(parent) {
  QFont bold = font();
  bold.setBold(true);
  bold.setPointSizeF(bold.pointSizeF() * 1.4);
  setFont(bold);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void PictureBand::setPicture(const QPixmap& picture) {
  picture_ = picture;
  update();
}

void PictureBand::setCaption(const QString& caption) {
  caption_ = caption;
  setAccessibleName(caption);
  update();
}

QSize PictureBand::sizeHint() const {
  const QFontMetrics metrics(font());
  return {metrics.horizontalAdvance(caption_) + 24, metrics.height() * 2};
}

void PictureBand::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (!picture_.isNull()) painter.drawPixmap(rect(), picture_);
  painter.drawText(rect(), Qt::AlignCenter, caption_);
}

}  // namespace quilor
