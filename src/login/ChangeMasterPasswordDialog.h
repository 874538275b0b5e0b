#pragma once

#include <QDialog>
#include <string>

class QLineEdit;
class QPushButton;

namespace quilor {

class LoginHost;
class RecordTable;

// Replaces the master password: the new one typed twice, then every record
// is protected under it, written and read back. When writing fails the old
// password and the old file stay in force. Created per use and shown
// modally; while it exists, instance() names it.
class ChangeMasterPasswordDialog : public QDialog {
  Q_OBJECT

 public:
  ChangeMasterPasswordDialog(LoginHost& host, RecordTable& records, std::string dataFilePath,
                             QWidget* parent = nullptr);
  ~ChangeMasterPasswordDialog() override;

  static ChangeMasterPasswordDialog* instance() { return instance_; }

  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void changePassword();

  static ChangeMasterPasswordDialog* instance_;

  LoginHost& host_;
  RecordTable& records_;
  std::string dataFilePath_;
  QLineEdit* newPassword_ = nullptr;
  QLineEdit* repeat_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
};

}  // namespace quilor
