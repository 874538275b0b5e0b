#include "MessageBoxAnswer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPushButton>

namespace quilor::test {

namespace {

// Set on a box once it is answered: its click closes it only when its own
// modal loop runs again, and it must not be taken for the next one.
const char* const kAnswered = "quilorTestAnswered";

}  // namespace

MessageBoxAnswerer::MessageBoxAnswerer(std::vector<QMessageBox::StandardButton> answers)
    : answers_(std::move(answers)) {
  // A box runs a modal loop of its own; the timer keeps firing there.
  poll_.setInterval(10);
  connect(&poll_, &QTimer::timeout, this, &MessageBoxAnswerer::answerModalBox);
  if (!answers_.empty()) poll_.start();
}

void MessageBoxAnswerer::answerModalBox() {
  auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
  if (box == nullptr || !box->isVisible() || box->property(kAnswered).toBool()) return;
  box->setProperty(kAnswered, true);
  seen_.push_back(
      {box->windowTitle(), box->text(), box->icon(), box->standardButton(box->defaultButton())});
  const QMessageBox::StandardButton answer = answers_[seen_.size() - 1];
  if (seen_.size() == answers_.size()) poll_.stop();
  if (QAbstractButton* button = box->button(answer)) {
    button->click();
  } else {
    box->reject();
  }
}

std::optional<SeenBox> AnswerMessageBox(const std::function<void()>& action,
                                        QMessageBox::StandardButton answer) {
  const MessageBoxAnswerer answerer({answer});
  action();
  if (answerer.seen().empty()) return std::nullopt;
  return answerer.seen().front();
}

}  // namespace quilor::test
