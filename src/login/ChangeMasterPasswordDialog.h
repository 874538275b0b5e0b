#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <string_view>

class QLineEdit;
class QPushButton;

namespace quilor {

class LoginHost;

// Replaces the master password: the current one first, so that only who
// knows it can change it, the new one typed twice, then every record
// is protected under it, written (by save, which is given the previous
// password the records were read under) and read back. When writing fails
// the old password and the old file stay in force. Created per use and shown
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
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void changePassword();
  // Refuses the change unless the box holds the master password in force.
  void checkCurrentPassword();

  static ChangeMasterPasswordDialog* instance_;

  LoginHost& host_;
  QLineEdit* currentPassword_ = nullptr;
  QLineEdit* newPassword_ = nullptr;
  QLineEdit* repeat_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
};

}  // namespace quilor
