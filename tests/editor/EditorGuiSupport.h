#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>

namespace quilor::editor_test {

struct SeenBox {
  bool shown = false;
  QString caption;
  QString text;
  QTimer poll;
};

// Answers the next message box that has button with it, and tells what it
// showed. Stops watching when the result is dropped.
inline std::shared_ptr<SeenBox> AnswerNextMessageBox(QMessageBox::StandardButton button) {
  auto seen = std::make_shared<SeenBox>();
  SeenBox* watch = seen.get();
  QObject::connect(&watch->poll, &QTimer::timeout, [watch, button] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible() || box->button(button) == nullptr) return;
    watch->shown = true;
    watch->caption = box->windowTitle();
    watch->text = box->text();
    watch->poll.stop();
    box->button(button)->click();
  });
  watch->poll.start(20);
  return seen;
}

// Waits (bounded) until the window manager has made window the active one,
// as it does after a dialog opens or a message box over it closes.
bool WaitUntilActive(QWidget* window);

// Runs action on the next modal dialog of type Dialog once it is shown and
// active, from inside its modal loop.
template <typename Dialog>
void WhenShown(std::function<void(Dialog*)> action) {
  auto* poll = new QTimer;
  QObject::connect(poll, &QTimer::timeout, [poll, action] {
    auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr || !dialog->isVisible()) return;
    poll->stop();
    poll->deleteLater();
    WaitUntilActive(dialog);
    action(dialog);
  });
  poll->start(20);
}

// With QUILOR_SCREENSHOTS set to a folder, saves the whole screen there as
// name.png (for people to look at; no test reads it).
void Screenshot(const QString& name);

}  // namespace quilor::editor_test
