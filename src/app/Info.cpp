#include "Info.h"

#include <QMessageBox>

#include "SilentAbort.h"

namespace quilor {

void ShowInfo(const QString& message) {
  QMessageBox box(QMessageBox::Information, QStringLiteral("Bilgi"), message, QMessageBox::Ok);
  box.exec();
}

void AbortWithInfo(bool condition, const QString& message) {
  if (!condition) return;
  ShowInfo(message);
  throw SilentAbort{};
}

}  // namespace quilor
