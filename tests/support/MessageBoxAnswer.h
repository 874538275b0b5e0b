#pragma once

#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <optional>
#include <vector>

namespace quilor::test {

// What a message box showed the user.
struct SeenBox {
  QString caption;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  // The button Enter would press.
  QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

// Answers the message boxes that come up while it exists, in order, each
// with the next of answers, as a user clicking that button would, and keeps
// what each showed. Boxes beyond the answers are left to the test.
class MessageBoxAnswerer : public QObject {
 public:
  explicit MessageBoxAnswerer(std::vector<QMessageBox::StandardButton> answers);

  const std::vector<SeenBox>& seen() const { return seen_; }

 private:
  void answerModalBox();

  std::vector<QMessageBox::StandardButton> answers_;
  std::vector<SeenBox> seen_;
  QTimer poll_;
};

// Runs action and answers the first message box it brings up with answer.
// Returns what the box showed, or nothing when no box came up before action
// returned.
std::optional<SeenBox> AnswerMessageBox(const std::function<void()>& action,
                                        QMessageBox::StandardButton answer = QMessageBox::Ok);

}  // namespace quilor::test
