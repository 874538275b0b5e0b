#include "CloseEveryDialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>

#include "RecordEditor.h"

namespace quilor {

namespace {

// More than the program ever stacks; a window that will not close cannot
// hold the loop.
constexpr int kMostWindows = 64;

void AnswerSafely(QMessageBox* box) {
  for (const QMessageBox::StandardButton safe :
       {QMessageBox::Cancel, QMessageBox::No, QMessageBox::Abort, QMessageBox::Close}) {
    if (QAbstractButton* button = box->button(safe)) {
      button->click();
      return;
    }
  }
  // A box that only informs has nothing to refuse: its one button closes it.
  if (QAbstractButton* only = box->escapeButton()) {
    only->click();
    return;
  }
  const QList<QAbstractButton*> buttons = box->buttons();
  if (buttons.size() == 1) {
    buttons.first()->click();
    return;
  }
  box->reject();
}

void CloseSafely(QWidget* window) {
  if (auto* box = qobject_cast<QMessageBox*>(window)) {
    AnswerSafely(box);
  } else if (auto* editor = qobject_cast<RecordEditor*>(window)) {
    editor->discardChangesAndClose();
  } else if (auto* dialog = qobject_cast<QDialog*>(window)) {
    dialog->reject();
  } else {
    window->close();
  }
}

}  // namespace

void CloseEveryDialog() {
  for (int i = 0; i < kMostWindows; ++i) {
    QWidget* popup = QApplication::activePopupWidget();
    if (popup == nullptr) break;
    popup->close();
  }
  // A modal window leaves the stack as soon as it is hidden, so the next
  // one down comes up next.
  QWidget* previous = nullptr;
  for (int i = 0; i < kMostWindows; ++i) {
    QWidget* top = QApplication::activeModalWidget();
    if (top == nullptr) break;
    if (top == previous) {
      top->hide();
      continue;
    }
    previous = top;
    CloseSafely(top);
  }
  // Dialogs shown without a modal loop of their own.
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->isVisible() && qobject_cast<QDialog*>(window) != nullptr) CloseSafely(window);
  }
}

}  // namespace quilor
