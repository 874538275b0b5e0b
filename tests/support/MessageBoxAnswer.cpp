#include "MessageBoxAnswer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTimer>

namespace quilor::test {

std::optional<SeenBox> AnswerMessageBox(const std::function<void()>& action,
                                        QMessageBox::StandardButton answer) {
  std::optional<SeenBox> seen;
  // The box runs a modal loop of its own inside action; the timer keeps
  // firing there and finds it.
  QTimer poll;
  poll.setInterval(10);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible()) return;
    seen = SeenBox{box->windowTitle(), box->text(), box->icon()};
    poll.stop();
    if (QAbstractButton* button = box->button(answer)) {
      button->click();
    } else {
      box->reject();
    }
  });
  poll.start();
  action();
  return seen;
}

}  // namespace quilor::test
