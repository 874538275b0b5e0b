#pragma once

#include <QLineEdit>

namespace quilor {

// A box for a user name or a password. It shows "*" for every character
// until revealed, and it never gives its text away: no copy, no cut, no drag
// and no primary selection, shown or not. A secret reaches the clipboard
// only through the main window's copy commands, which empty it again.
class SecretLineEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit SecretLineEdit(QWidget* parent = nullptr);

  bool isMasked() const { return echoMode() == QLineEdit::Password; }
  void setMasked(bool masked);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  bool event(QEvent* event) override;

 private:
  void dropPrimarySelection();
};

}  // namespace quilor
