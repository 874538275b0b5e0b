#include "QtTurkishTexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace quilor {

bool InstallQtTurkishTexts(QCoreApplication& app) {
  // Parented to the application, so it lives exactly as long as Qt needs it.
  auto* translator = new QTranslator(&app);
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  if (!translator->load(QLocale(QLocale::Turkish, QLocale::Turkey), QStringLiteral("qtbase"),
                        QStringLiteral("_"), folder)) {
    delete translator;
    return false;
  }
  return QCoreApplication::installTranslator(translator);
}

}  // namespace quilor
