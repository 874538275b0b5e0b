// Opening the auto-fill dialog: from the record list, and from anywhere on
// the desktop through the hot key and the tray menu.
#include "AutoFillDialog.h"
#include "ErrorDisplay.h"
#include "MainWindow.h"
#include "MasterPasswordDialog.h"
#include "RecordListModel.h"
#include "RecordListView.h"
#include "WindowForeground.h"

namespace quilor {

void MainWindow::openAutoFill() {
  Guarded([this] {
    // One auto-fill dialog at a time: a second request brings the open one
    // forward instead of stacking another on it.
    if (AutoFillDialog* open = AutoFillDialog::current()) {
      ForceToForeground(open->windowHandle());
      return;
    }
    AutoFillOpening opening{windowTitle(), windowLock_.windowShown(), {}};
    const QModelIndexList selected = recordList_->selectionModel()->selectedRows();
    if (!selected.isEmpty())
      opening.selectedRecordTitle = listModel_->cellText(selected.first().row(), 0);
    OpenAutoFillDialog(records(), opening);
  });
}

void MainWindow::autoFillFromAnywhere() {
  Guarded([this] {
    // A dialog still open (a run that ended in an error leaves it open,
    // maybe behind the window it typed into) comes forward: it was opened
    // with the password already, and a press that shows nothing looks like
    // a hot key that stopped working.
    if (AutoFillDialog* open = AutoFillDialog::current()) {
      ForceToForeground(open->windowHandle());
      return;
    }
    if (MasterPasswordDialog::instance() != nullptr) return;
    switch (windowLock_.beginAutoFill()) {
      case WindowLock::AutoFill::Open:
        openAutoFill();
        return;
      case WindowLock::AutoFill::Ignore:
        return;
      case WindowLock::AutoFill::AskPasswordFirst:
        break;
    }
    try {
      // The password dialog stays until the auto-fill dialog has closed: until
      // then a further hot key or double-click finds it and does nothing.
      MasterPasswordDialog dialog(*this, session_.dataFilePath());
      dialog.setReAuthMode(true);
      dialog.exec();
      if (dialog.loginOk()) openAutoFill();
    } catch (...) {
      windowLock_.endAutoFill();
      session_.lock();
      throw;
    }
    windowLock_.endAutoFill();
    // The password opened the records for this fill only.
    if (locked()) session_.lock();
  });
}

}  // namespace quilor
