#include "WeakPasswordQuestion.h"

#include <QMessageBox>

#include "LoginTexts.h"
#include "PasswordBytes.h"
#include "PasswordStrength.h"

namespace quilor {

bool NewMasterPasswordAccepted(QWidget* parent, const QString& typed) {
  const StrengthLevel level = EstimateStrength(PasswordBytes(typed)).level;
  if (level != StrengthLevel::VeryWeak && level != StrengthLevel::Weak) return true;
  QMessageBox question(QMessageBox::Question, login_texts::kQuestionCaption,
                       login_texts::kWeakPasswordQuestion, QMessageBox::Yes | QMessageBox::No,
                       parent);
  question.setDefaultButton(QMessageBox::No);
  return question.exec() == QMessageBox::Yes;
}

}  // namespace quilor
