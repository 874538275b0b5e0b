#pragma once

class QWidget;

namespace quilor::test {

// Saves what window shows as NAME.png in the folder QUILOR_SCREENSHOTS names
// (scripts/screenshots.sh sets it); does nothing without it.
void SaveScreenshot(QWidget& window, const char* name);

}  // namespace quilor::test
