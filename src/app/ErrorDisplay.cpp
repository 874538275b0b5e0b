#include "ErrorDisplay.h"

#include <QMessageBox>
#include <new>

#include "Identity.h"
#include "SilentAbort.h"

namespace quilor {

QString ErrorDisplayText(const QString& message) {
  if (!message.isEmpty() && message.back() > QChar('.')) return message + '.';
  return message;
}

void ShowError(const QString& message) {
  QMessageBox box(QMessageBox::Critical, ApplicationTitle(), ErrorDisplayText(message),
                  QMessageBox::Ok);
  box.exec();
}

void ReportException(std::exception_ptr error) {
  try {
    std::rethrow_exception(error);
  } catch (const SilentAbort&) {
  } catch (const std::bad_alloc&) {
    ShowError(QStringLiteral("Bellek yetersiz"));
  } catch (const std::exception& e) {
    ShowError(QString::fromUtf8(e.what()));
  } catch (...) {
    ShowError(QStringLiteral("Bilinmeyen hata"));
  }
}

}  // namespace quilor
