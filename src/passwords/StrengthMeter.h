#pragma once

#include <QStringList>
#include <QWidget>

class QLabel;
class QProgressBar;

namespace quilor {

// A thin bar under a password box with a word for the password's strength
// and, as its hint, the estimated number of guesses. It only informs: it
// never refuses a password. Empty text shows an empty bar and no word.
class StrengthMeter : public QWidget {
  Q_OBJECT

 public:
  explicit StrengthMeter(QWidget* parent = nullptr);

  // Texts of the record that a password should not be built from.
  void setUserWords(const QStringList& words);

  QString word() const;
  QString hint() const;

 public slots:
  void showStrengthOf(const QString& password);

 private:
  QProgressBar* bar_ = nullptr;
  QLabel* word_ = nullptr;
  QStringList userWords_;
};

}  // namespace quilor
