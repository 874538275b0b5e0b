#pragma once

#include <QString>

namespace quilor {

// A modal notice: the message, caption "Bilgi", information icon, OK.
void ShowInfo(const QString& message);

// When condition holds: ShowInfo(message), then end the running user action
// silently (throws SilentAbort, which the action's guard swallows).
void AbortWithInfo(bool condition, const QString& message);

}  // namespace quilor
