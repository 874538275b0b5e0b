#pragma once

#include <QColor>
#include <QPixmap>
#include <QStringList>
#include <QTimer>
#include <QWidget>

namespace quilor {

// A panel whose lines, under a small picture, move upward continuously and
// start again from below once the last line has left. It moves only while
// active.
class ScrollingTextPanel : public QWidget {
  Q_OBJECT

 public:
  ScrollingTextPanel(const QColor& text, const QColor& background, QWidget* parent = nullptr);

  void setLines(const QStringList& lines);
  const QStringList& lines() const { return lines_; }
  void setMark(const QPixmap& mark);

  void setActive(bool active);
  bool isActive() const { return timer_.isActive(); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void step();
  int contentHeight() const;
  int contentTop() const;

  QStringList lines_;
  QPixmap mark_;
  QColor text_;
  QColor background_;
  QTimer timer_;
  // The first pass starts with the lines in view at the top; every later
  // one comes in from the bottom edge. offset_ is how far the content has
  // moved up since its pass began.
  bool firstPass_ = true;
  int offset_ = 0;
};

}  // namespace quilor
