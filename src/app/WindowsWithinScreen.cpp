#include "WindowsWithinScreen.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QLayout>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace quilor {

namespace {

// Clamps start so that [start, start + length) lies within [low, high);
// low wins when it cannot.
int Within(int start, int length, int low, int high) {
  return std::max(low, std::min(start, high - length));
}

// Marks a window shown but not yet framed by the window manager.
constexpr char kAwaitingFrame[] = "quilorAwaitingFrame";
// Marks a dialog whose content already scrolls.
constexpr char kScrolls[] = "quilorScrolls";

bool IsProgramWindow(const QWidget* widget) {
  return widget->isWindow() &&
         (widget->windowType() == Qt::Window || widget->windowType() == Qt::Dialog);
}

QSize MinimumOf(const QWidget* window) {
  return window->minimumSize().expandedTo(window->minimumSizeHint());
}

bool MinimumFits(const QWidget* window, const QMargins& frame, const QRect& available) {
  const QSize room = available.marginsRemoved(frame).size();
  const QSize minimum = MinimumOf(window);
  return minimum.width() <= room.width() && minimum.height() <= room.height();
}

// A dialog laid out for a larger screen cannot shrink below its layout: its
// content moves into a scroll area, which can, and the dialog's own size
// limits go. Every control stays where the user can scroll to it.
void ScrollContent(QDialog* dialog) {
  QLayout* layout = dialog->layout();
  if (layout == nullptr || dialog->property(kScrolls).toBool()) return;
  auto* content = new QWidget;
  // Takes over the layout and the widgets it holds.
  content->setLayout(layout);
  auto* scroll = new QScrollArea;
  scroll->setObjectName(QStringLiteral("screenFitScroll"));
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setWidgetResizable(true);
  scroll->setWidget(content);
  auto* outer = new QVBoxLayout(dialog);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->addWidget(scroll);
  dialog->setMinimumSize(0, 0);
  dialog->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  // Room for the vertical scroll bar, so that the width needs none.
  dialog->resize(content->sizeHint() + QSize(scroll->verticalScrollBar()->sizeHint().width(), 0));
  dialog->setProperty(kScrolls, true);
}

class WindowFitter : public QObject {
 public:
  using QObject::QObject;

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
      auto* widget = static_cast<QWidget*>(watched);
      if (IsProgramWindow(widget)) fitBeforeShowing(widget);
    } else if (event->type() == QEvent::Expose) {
      if (auto* window = qobject_cast<QWindow*>(watched); window && window->isExposed()) {
        fitOnceFramed(window);
      }
    }
    return false;
  }

 private:
  // The frame is not known before the window manager has put it on; the
  // last window's frame is the best guess for this one.
  void fitBeforeShowing(QWidget* widget) {
    const QRect available = widget->screen()->availableGeometry();
    auto* dialog = qobject_cast<QDialog*>(widget);
    if (dialog != nullptr && !MinimumFits(dialog, lastFrame_, available)) ScrollContent(dialog);
    const QRect fitted = FitWithin(widget->geometry(), lastFrame_, available, MinimumOf(widget));
    if (fitted.size() != widget->size()) widget->resize(fitted.size());
    widget->setProperty(kAwaitingFrame, true);
  }

  void fitOnceFramed(QWindow* window) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (widget->windowHandle() != window || !widget->property(kAwaitingFrame).toBool()) continue;
      widget->setProperty(kAwaitingFrame, false);
      const QRect client = widget->geometry();
      const QRect frame = widget->frameGeometry();
      lastFrame_ = QMargins(client.left() - frame.left(), client.top() - frame.top(),
                            frame.right() - client.right(), frame.bottom() - client.bottom());
      const QRect fitted =
          FitWithin(client, lastFrame_, widget->screen()->availableGeometry(), MinimumOf(widget));
      if (fitted.size() != client.size()) widget->resize(fitted.size());
      if (fitted.topLeft() != client.topLeft()) {
        widget->move(fitted.topLeft() - QPoint(lastFrame_.left(), lastFrame_.top()));
      }
    }
  }

  QMargins lastFrame_;
};

}  // namespace

QRect FitWithin(const QRect& geometry, const QMargins& frame, const QRect& available,
                const QSize& minimum) {
  const QRect inside = available.marginsRemoved(frame);
  const QSize size = geometry.size().boundedTo(inside.size()).expandedTo(minimum);
  const int x = Within(geometry.x(), size.width(), inside.left(), inside.left() + inside.width());
  const int y = Within(geometry.y(), size.height(), inside.top(), inside.top() + inside.height());
  return {QPoint(x, y), size};
}

void KeepWindowsWithinScreen(QApplication& app) { app.installEventFilter(new WindowFitter(&app)); }

}  // namespace quilor
