#pragma once

#include <QDialog>
#include <string>

#include "ExeFolder.h"
#include "LoginHost.h"
#include "LoginMode.h"

class QAction;
class QLabel;
class QLineEdit;
class QPushButton;

namespace quilor {

class StrengthMeter;

// The master password dialog: chooses the password at the first start, logs
// in on the data file, and unlocks the running program again (re-authentication mode).
// Created per use and shown modally; while it exists, instance() names it.
class MasterPasswordDialog : public QDialog {
  Q_OBJECT

 public:
  // dataFilePath: the file whose absence makes this a first start.
  explicit MasterPasswordDialog(LoginHost& host, std::string dataFilePath = DataFilePath(),
                                QWidget* parent = nullptr);
  ~MasterPasswordDialog() override;

  static MasterPasswordDialog* instance() { return instance_; }

  // Set by the caller before showing: compare with the password in memory
  // instead of logging in.
  bool reAuthMode() const { return reAuthMode_; }
  void setReAuthMode(bool on) { reAuthMode_ = on; }
  // True once the password was accepted; read after the modal loop returned.
  bool loginOk() const { return loginOk_; }
  // True when the dialog closed without a login and asked the program to end.
  bool terminateRequested() const { return terminateRequested_; }

  // After a wrong password: the boxes emptied, the focus in the first.
  void clearPasswordForRetry();

  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  enum class Pressed { Login, LoginAndHide };

  void layOutControls();
  void prepareForShow();
  void confirm(Pressed pressed);
  void reAuthenticate();
  void logIn(Pressed pressed);
  void closeOnEscape();
  void endProgramIfAbandoned();
  void fixSizeAndCentre();
  bool dataFileExists() const;

  static MasterPasswordDialog* instance_;

  LoginHost& host_;
  std::string dataFilePath_;
  bool reAuthMode_ = false;
  bool loginOk_ = false;
  bool terminateRequested_ = false;

  QLabel* picture_ = nullptr;
  QLabel* passwordLabel_ = nullptr;
  QLabel* repeatLabel_ = nullptr;
  QLabel* warning_ = nullptr;
  QLineEdit* passwordBox_ = nullptr;
  QLineEdit* repeatBox_ = nullptr;
  // First start only: how strong the chosen password is. It never refuses one.
  StrengthMeter* strength_ = nullptr;
  QPushButton* loginAndHideButton_ = nullptr;
  QPushButton* loginButton_ = nullptr;
  QPushButton* cancelButton_ = nullptr;
  QAction* closeAction_ = nullptr;
};

}  // namespace quilor
