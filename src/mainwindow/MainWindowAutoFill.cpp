// Opening the auto-fill dialog from the record list.
#include "AutoFillDialog.h"
#include "ErrorDisplay.h"
#include "MainWindow.h"
#include "RecordListModel.h"
#include "RecordListView.h"

namespace quilor {

void MainWindow::openAutoFill() {
  Guarded([this] {
    AutoFillOpening opening{windowTitle(), isVisible(), {}};
    const QModelIndexList selected = recordList_->selectionModel()->selectedRows();
    if (!selected.isEmpty())
      opening.selectedRecordTitle = listModel_->row(selected.first().row()).caption;
    OpenAutoFillDialog(records_, opening);
  });
}

}  // namespace quilor
