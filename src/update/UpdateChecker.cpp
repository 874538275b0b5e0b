#include "UpdateChecker.h"

#include <QWidget>

#include "ExeFolder.h"
#include "Identity.h"
#include "MakerContacts.h"
#include "ServiceAddresses.h"
#include "UpdateCheckDialog.h"

namespace quilor {

UpdateCheckSettings::UpdateCheckSettings()
    : company(maker::kCompany),
      serviceAddress(service::kVersionService),
      testServiceAddress(service::kTestVersionService),
      newsSiteAddress(service::kNewsSite),
      markerFolder(QString::fromStdString(ExeFolder())) {}

void UpdateChecker::ShowDialog(QWidget* parent) const {
  UpdateCheckDialog dialog(settings, parent);
  dialog.exec();
}

void RunUpdateCheck(QWidget* mainWindow) {
  UpdateChecker checker;
  checker.settings.caption = mainWindow->windowTitle();
  checker.settings.programName = ProductName;
  checker.settings.programCode = ProgramCode;
  checker.settings.programVersion = ProgramVersion;
  checker.ShowDialog(mainWindow);
}

}  // namespace quilor
