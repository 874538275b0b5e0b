#pragma once

#include <QLabel>

namespace quilor {

// The bold header strip across the top of a dialog.
QLabel* MakeHeaderLabel(const QString& caption, QWidget* parent);

}  // namespace quilor
