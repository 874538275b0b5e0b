#include "RecordListView.h"

#include <QPainter>

namespace quilor {

RecordListView::RecordListView(QWidget* parent) : QTableView(parent) {}

void RecordListView::setEmptyHint(const QString& hint) {
  if (hint == emptyHint_) return;
  emptyHint_ = hint;
  // A screen reader hears what the eye sees in the empty grid.
  setAccessibleDescription(hint);
  viewport()->update();
}

void RecordListView::resizeEvent(QResizeEvent* event) {
  QTableView::resizeEvent(event);
  emit viewportResized();
}

void RecordListView::paintEvent(QPaintEvent* event) {
  QTableView::paintEvent(event);
  if (emptyHint_.isEmpty() || (model() != nullptr && model()->rowCount() > 0)) return;
  QPainter painter(viewport());
  painter.setPen(palette().color(QPalette::PlaceholderText));
  const int margin = fontMetrics().height();
  painter.drawText(viewport()->rect().adjusted(margin, margin, -margin, -margin),
                   Qt::AlignCenter | Qt::TextWordWrap, emptyHint_);
}

}  // namespace quilor
