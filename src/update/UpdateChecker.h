#pragma once

#include <QPixmap>
#include <QString>

#include "VersionRequest.h"

class QWidget;

namespace quilor {

// Everything one version check works from. The addresses start from the
// values the program was built with; the folder is the executable's.
struct UpdateCheckSettings {
  QString caption;
  // Stretched across the dialog's title band, behind "Sürüm Kontrol".
  QPixmap banner;
  QString programName;
  QString programCode;
  // The program version with its leading letter ("s1.02.01").
  QString programVersion;
  QString company;
  QString serviceAddress;
  QString testServiceAddress;
  QString newsSiteAddress;
  // Where "lisanstest.txt" is looked for.
  QString markerFolder;
  RequestLimits limits;

  UpdateCheckSettings();
};

// Holds the settings of a version check and runs it in its dialog.
class UpdateChecker {
 public:
  UpdateCheckSettings settings;

  // Shows the check's dialog modally over parent; returns once it is closed.
  void ShowDialog(QWidget* parent) const;
};

// The "Sürüm Kontrol" command: checks this program's release, with the
// main window's caption on the dialog.
void RunUpdateCheck(QWidget* mainWindow);

}  // namespace quilor
