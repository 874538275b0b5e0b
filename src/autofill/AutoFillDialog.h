#pragma once

#include <QDialog>
#include <string>

#include "AutoFillDesktop.h"
#include "RecordTable.h"

class QTreeWidget;

namespace quilor {

// What the dialog takes over from the window that opens it.
struct AutoFillOpening {
  QString caption;  // the main window's caption, also the dialog's
  bool mainWindowVisible = false;
  QString selectedRecordTitle;  // the title of the row selected in the main list, if any
};

// Pairs a record that has an auto-fill script with an open window, brings
// that window to the front and types the script into it.
class AutoFillDialog : public QDialog {
  Q_OBJECT

 public:
  AutoFillDialog(RecordTable& records, AutoFillDesktop& desktop, const AutoFillOpening& opening,
                 QWidget* parent = nullptr);
  ~AutoFillDialog() override;

  // The dialog while one exists; the idle lock closes it.
  static AutoFillDialog* current() { return current_; }

  // Expands the current record's placeholders in the script and types it,
  // with its pauses, into the target window.
  void RunScript(const std::string& script, WindowId target);

 protected:
  void showEvent(QShowEvent* event) override;

 private slots:
  void confirm();

 private:
  void fillRecordList(const AutoFillOpening& opening);
  void fillWindowList();
  void centreOnDesktop();

  static AutoFillDialog* current_;
  RecordTable& records_;
  AutoFillDesktop& desktop_;
  QTreeWidget* recordList_ = nullptr;
  QTreeWidget* windowList_ = nullptr;
};

// The top-level windows of this program, which auto-fill never lists nor types into.
std::vector<WindowId> OwnTopLevelWindows();

// Opens the dialog modally and destroys it afterwards. Where nothing can be
// typed into other programs, it says so instead.
void OpenAutoFillDialog(RecordTable& records, const AutoFillOpening& opening);

}  // namespace quilor
