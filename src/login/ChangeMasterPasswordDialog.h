#pragma once

#include <QDialog>
#include <string>

class QLineEdit;
class QPushButton;

namespace quilor {

class LoginHost;

// Replaces the master password: the new one typed twice, then every record
// is protected under it, written and read back. When writing fails the old
// password and the old file stay in force. Created per use and shown
// modally; while it exists, instance() names it.
class ChangeMasterPasswordDialog : public QDialog {
  Q_OBJECT

 public:
  explicit ChangeMasterPasswordDialog(LoginHost& host, QWidget* parent = nullptr);
  ~ChangeMasterPasswordDialog() override;

  static ChangeMasterPasswordDialog* instance() { return instance_; }

  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void changePassword();

  static ChangeMasterPasswordDialog* instance_;

  LoginHost& host_;
  QLineEdit* newPassword_ = nullptr;
  QLineEdit* repeat_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
};

}  // namespace quilor
