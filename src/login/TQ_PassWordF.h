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

// The master password dialog: chooses the password at the first start, logs
// in on the data file, and unlocks the running program again (ReAuthMode).
// Created per use and shown modally; while it exists, Instance() names it.
class TQ_PassWordF : public QDialog {
  Q_OBJECT

 public:
  // dataFilePath: the file whose absence makes this a first start.
  explicit TQ_PassWordF(LoginHost& host, std::string dataFilePath = DataFilePath(),
                        QWidget* parent = nullptr);
  ~TQ_PassWordF() override;

  static TQ_PassWordF* Instance() { return instance_; }

  // Set by the caller before showing: compare with the password in memory
  // instead of logging in.
  bool ReAuthMode() const { return reAuthMode_; }
  void SetReAuthMode(bool on) { reAuthMode_ = on; }
  // True once the password was accepted; read after the modal loop returned.
  bool LoginOk() const { return loginOk_; }
  // True when the dialog closed without a login and asked the program to end.
  bool TerminateRequested() const { return terminateRequested_; }

  // After a wrong password: the whole text selected, ready to be typed over.
  void SelectPasswordForRetry();

  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  enum class Pressed { Giris, GirisGizle };

  void LayOutControls();
  void FormShow();
  void sButtonGirisClick(Pressed pressed);
  void ReAuthenticate();
  void LogIn(Pressed pressed);
  void KapatExecute();
  void FormClose();
  void FixSizeAndCentre();
  bool DataFileExists() const;

  static TQ_PassWordF* instance_;

  LoginHost& host_;
  std::string dataFilePath_;
  bool reAuthMode_ = false;
  bool loginOk_ = false;
  bool terminateRequested_ = false;

  QLabel* picture_ = nullptr;
  QLabel* sLabel1_ = nullptr;
  QLabel* sLabel2_ = nullptr;
  QLabel* sLabel3_ = nullptr;
  QLineEdit* EditPass_ = nullptr;
  QLineEdit* EditPass2_ = nullptr;
  QPushButton* sButtonGirisGizle_ = nullptr;
  QPushButton* sButtonGiris_ = nullptr;
  QPushButton* sButton2_ = nullptr;
  QAction* Kapat_ = nullptr;
};

// Used by the main window's LoadRecords after a wrong master password: when a
// master password dialog is open, its password is selected and focused.
void FocusPasswordAfterWrongLogin();

}  // namespace quilor
