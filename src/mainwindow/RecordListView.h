#pragma once

#include <QString>
#include <QTableView>

namespace quilor {

// The record list's view. An empty list shows a short hint in the middle of
// its grid, so that a blank list never leaves the user guessing why.
class RecordListView : public QTableView {
  Q_OBJECT

 public:
  explicit RecordListView(QWidget* parent = nullptr);

  // Shown while the list has no rows; empty for none.
  void setEmptyHint(const QString& hint);
  const QString& emptyHint() const { return emptyHint_; }

 signals:
  // The room for the columns changed (the window, or the scroll bar).
  void viewportResized();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QString emptyHint_;
};

}  // namespace quilor
