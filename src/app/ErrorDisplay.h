#pragma once

#include <QString>
#include <exception>

namespace quilor {

// The text the general error display shows: "." is added when the last
// character sorts after ".".
QString ErrorDisplayText(const QString& message);

// The general error display: caption "ZENTARIS Quilor", error icon. The program goes on.
void ShowError(const QString& message);

// Shows what ended a user action: nothing for a silent abort, the general
// error display for anything else.
void ReportException(std::exception_ptr error);

// Runs one user action (slot, timer tick, native event) so that no exception
// leaves it: a silent abort ends it quietly, any other error is shown.
template <typename Action>
void Guarded(Action&& action) {
  try {
    action();
  } catch (...) {
    ReportException(std::current_exception());
  }
}

}  // namespace quilor
