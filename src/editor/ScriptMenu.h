#pragma once

#include <QList>
#include <QMenu>

class QAction;

namespace quilor {

// The script field's right-click menu: the placeholders, three waits and
// the key names in two columns (21 and 19 entries). A click on an entry
// reports its caption; the separator line cannot be chosen.
class ScriptMenu : public QMenu {
  Q_OBJECT

 public:
  explicit ScriptMenu(QWidget* parent = nullptr);

  // The 40 entries in order, the separator included (as a separator action).
  const QList<QAction*>& entries() const { return entries_; }
  // The column (0 or 1) an entry of entries() is shown in.
  static int columnOf(int entryIndex);

 signals:
  void itemChosen(const QString& caption);

 private:
  QList<QAction*> entries_;
};

}  // namespace quilor
