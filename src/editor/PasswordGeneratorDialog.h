#pragma once

#include <QDialog>
#include <QString>

#include "PasswordGenerator.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace quilor {

class SecretLineEdit;

// A compact dialog that draws a new password from the system's random
// source on every change of its recipe. "Kullan" accepts it; the caller
// then reads password(). The password is shown, but, as in every secret
// box, it cannot be copied from here.
class PasswordGeneratorDialog : public QDialog {
  Q_OBJECT

 public:
  explicit PasswordGeneratorDialog(const QString& caption, QWidget* parent = nullptr);

  QString password() const;
  PasswordRecipe recipe() const;

 public slots:
  void regenerate();

 private:
  SystemRandom random_;
  QSpinBox* length_ = nullptr;
  QCheckBox* lowercase_ = nullptr;
  QCheckBox* uppercase_ = nullptr;
  QCheckBox* digits_ = nullptr;
  QCheckBox* symbols_ = nullptr;
  QCheckBox* turkishLetters_ = nullptr;
  QCheckBox* withoutLookAlikes_ = nullptr;
  SecretLineEdit* password_ = nullptr;
  QLabel* entropy_ = nullptr;
  QPushButton* regenerate_ = nullptr;
  QPushButton* use_ = nullptr;
  QPushButton* cancel_ = nullptr;
};

}  // namespace quilor
