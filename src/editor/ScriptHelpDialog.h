#pragma once

#include <QDialog>

class QPlainTextEdit;

namespace quilor {

// Explains the auto-fill script language with an example. Created per use
// and shown modally; while it exists, instance() names it.
class ScriptHelpDialog : public QDialog {
  Q_OBJECT

 public:
  explicit ScriptHelpDialog(const QString& caption, QWidget* parent = nullptr);
  ~ScriptHelpDialog() override;

  static ScriptHelpDialog* instance() { return instance_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  static ScriptHelpDialog* instance_;
  QPlainTextEdit* text_ = nullptr;
};

}  // namespace quilor
