#include "ScrollingTextPanel.h"

#include <QPainter>

namespace quilor {

namespace {

constexpr int kTickMs = 25;
constexpr int kStepPixels = 1;
constexpr int kMarkGap = 6;

}  // namespace

ScrollingTextPanel::ScrollingTextPanel(const QColor& text, const QColor& background,
                                       QWidget* parent)
    : QWidget(parent), text_(text), background_(background) {
  QFont bold = font();
  bold.setBold(true);
  setFont(bold);
  timer_.setInterval(kTickMs);
  connect(&timer_, &QTimer::timeout, this, &ScrollingTextPanel::step);
}

void ScrollingTextPanel::setLines(const QStringList& lines) {
  lines_ = lines;
  setAccessibleDescription(lines.join('\n'));
  update();
}

void ScrollingTextPanel::setMark(const QPixmap& mark) {
  mark_ = mark;
  update();
}

void ScrollingTextPanel::setActive(bool active) {
  if (active) {
    timer_.start();
  } else {
    timer_.stop();
  }
}

int ScrollingTextPanel::contentHeight() const {
  const int markHeight = mark_.isNull() ? 0 : mark_.deviceIndependentSize().toSize().height();
  return markHeight + kMarkGap + fontMetrics().lineSpacing() * static_cast<int>(lines_.size());
}

int ScrollingTextPanel::contentTop() const { return (firstPass_ ? 0 : height()) - offset_; }

void ScrollingTextPanel::step() {
  offset_ += kStepPixels;
  if (contentTop() + contentHeight() < 0) {
    offset_ = 0;
    firstPass_ = false;
  }
  update();
}

void ScrollingTextPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), background_);
  int y = contentTop();
  if (!mark_.isNull()) {
    const QSize size = mark_.deviceIndependentSize().toSize();
    painter.drawPixmap((width() - size.width()) / 2, y, mark_);
    y += size.height();
  }
  y += kMarkGap;
  painter.setPen(text_);
  const int lineHeight = fontMetrics().lineSpacing();
  for (const QString& line : lines_) {
    painter.drawText(QRect(0, y, width(), lineHeight), Qt::AlignHCenter | Qt::AlignTop, line);
    y += lineHeight;
  }
}

}  // namespace quilor
