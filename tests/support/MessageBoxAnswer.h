#pragma once

#include <QMessageBox>
#include <QString>
#include <functional>
#include <optional>

namespace quilor::test {

// What a message box showed the user.
struct SeenBox {
  QString caption;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Runs action and answers the first message box it brings up with answer,
// as a user clicking that button would. Returns what the box showed, or
// nothing when no box came up before action returned.
std::optional<SeenBox> AnswerMessageBox(const std::function<void()>& action,
                                        QMessageBox::StandardButton answer = QMessageBox::Ok);

}  // namespace quilor::test
