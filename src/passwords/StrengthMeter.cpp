#include "StrengthMeter.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <cmath>
#include <string>
#include <vector>

#include "Cp1254.h"
#include "PasswordStrength.h"
#include "PasswordTexts.h"

namespace quilor {

namespace wording = password_texts;

namespace {

void Colour(QProgressBar* bar, const char* colour) {
  bar->setStyleSheet(
      QStringLiteral("QProgressBar { border: 1px solid #9e9e9e; border-radius: 2px; "
                     "background: #eeeeee; } QProgressBar::chunk { background-color: %1; }")
          .arg(QLatin1String(colour)));
}

struct LevelLook {
  const QString& word;
  const char* colour;
};

LevelLook LookOf(StrengthLevel level) {
  switch (level) {
    case StrengthLevel::VeryWeak:
      return {wording::kVeryWeak, "#c62828"};
    case StrengthLevel::Weak:
      return {wording::kWeak, "#ef6c00"};
    case StrengthLevel::Fair:
      return {wording::kFair, "#f9a825"};
    case StrengthLevel::Strong:
      return {wording::kStrong, "#7cb342"};
    case StrengthLevel::VeryStrong:
      break;
  }
  return {wording::kVeryStrong, "#2e7d32"};
}

// The estimator counts bytes: a Turkish letter is one byte in the data file
// but two in UTF-8, which would rate it as two characters. A text the code
// page cannot hold, which the dialogs refuse anyway, is rated as UTF-8.
std::string EstimatorBytes(const QString& text) {
  Cp1254Result bytes = ToCp1254(text);
  return bytes.unmappable ? text.toStdString() : std::move(bytes.bytes);
}

// "3,2 × 10^12" in the user's number format; small counts as they are.
QString GuessCount(double bits) {
  const double powerOfTen = bits * std::log10(2.0);
  const QLocale locale;
  if (powerOfTen < 6) return locale.toString(std::round(std::pow(10.0, powerOfTen)), 'f', 0);
  const double exponent = std::floor(powerOfTen);
  const double mantissa = std::pow(10.0, powerOfTen - exponent);
  return locale.toString(mantissa, 'f', 1) + QStringLiteral(" × 10^") +
         QString::number(static_cast<int>(exponent));
}

}  // namespace

StrengthMeter::StrengthMeter(QWidget* parent) : QWidget(parent) {
  bar_ = new QProgressBar(this);
  bar_->setObjectName(QStringLiteral("strengthBar"));
  bar_->setRange(0, 5);
  bar_->setValue(0);
  bar_->setTextVisible(false);
  bar_->setFixedHeight(6);
  Colour(bar_, "#9e9e9e");
  bar_->setAccessibleName(wording::kMeterName);
  word_ = new QLabel(this);
  word_->setObjectName(QStringLiteral("strengthWord"));
  // The longest word keeps its room, so the bar does not jump while typing.
  word_->setMinimumWidth(word_->fontMetrics().horizontalAdvance(wording::kVeryStrong) + 4);
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(bar_, 1);
  row->addWidget(word_);
  showStrengthOf(QString());
}

void StrengthMeter::setUserWords(const QStringList& words) { userWords_ = words; }

QString StrengthMeter::word() const { return word_->text(); }

QString StrengthMeter::hint() const { return bar_->toolTip(); }

void StrengthMeter::showStrengthOf(const QString& password) {
  if (password.isEmpty()) {
    bar_->setValue(0);
    word_->clear();
    bar_->setToolTip(QString());
    word_->setToolTip(QString());
    return;
  }
  std::vector<std::string> words;
  for (const QString& text : userWords_) words.push_back(EstimatorBytes(text));
  const PasswordStrength strength = EstimateStrength(EstimatorBytes(password), words);
  const LevelLook look = LookOf(strength.level);
  bar_->setValue(static_cast<int>(strength.level) + 1);
  Colour(bar_, look.colour);
  word_->setText(look.word);
  const QString hint = wording::kGuessesHint + GuessCount(strength.guessBits);
  bar_->setToolTip(hint);
  word_->setToolTip(hint);
  bar_->setAccessibleDescription(look.word);
}

}  // namespace quilor
