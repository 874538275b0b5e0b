#include "OneLineBox.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <QValidator>

namespace quilor {

namespace {

// A validator may change what it checks; the box then takes the changed text
// and caret, for every change, before anyone hears of it.
class OneLineValidator : public QValidator {
 public:
  using QValidator::QValidator;

  State validate(QString& input, int& pos) const override {
    if (input.contains('\n') || input.contains('\r')) {
      pos = int(AsOneLine(input.left(pos)).size());
      input = AsOneLine(input);
    }
    return Acceptable;
  }
};

}  // namespace

QString AsOneLine(const QString& text) {
  static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
  return QString(text).replace(lineBreak, QStringLiteral(" "));
}

void KeepOnOneLine(QLineEdit* box) { box->setValidator(new OneLineValidator(box)); }

}  // namespace quilor
