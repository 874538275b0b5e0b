#include "Screenshot.h"

#include <QApplication>
#include <QPixmap>
#include <QWidget>

namespace quilor::test {

void SaveScreenshot(QWidget& window, const char* name) {
  const QString folder = qEnvironmentVariable("QUILOR_SCREENSHOTS");
  if (folder.isEmpty()) return;
  QApplication::processEvents();
  window.grab().save(folder + '/' + QString::fromLatin1(name) + QStringLiteral(".png"));
}

}  // namespace quilor::test
