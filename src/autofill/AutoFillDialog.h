#pragma once

#include <QDialog>
#include <chrono>
#include <string>
#include <vector>

#include "AutoFillDesktop.h"
#include "RecordTable.h"
#include "ScriptPieces.h"

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

  // Closing the dialog while a script is being typed (the idle lock does)
  // stops the typing at once, with no key left down.
  void done(int result) override;

 signals:
  void typingStopped();

 protected:
  void showEvent(QShowEvent* event) override;

 private slots:
  void confirm();

 private:
  void fillRecordList(const AutoFillOpening& opening);
  void fillWindowList();
  void centreOnDesktop();
  // Types the pieces into the target window, with their pauses.
  void typePieces(const std::vector<ScriptPiece>& pieces, WindowId target);
  // A pause that keeps the program answering: its timers (the idle lock
  // among them), repaints and other programs' questions go on meanwhile.
  void pause(std::chrono::milliseconds length);
  void endRunIfStopped() const;

  static AutoFillDialog* current_;
  RecordTable& records_;
  AutoFillDesktop& desktop_;
  QTreeWidget* recordList_ = nullptr;
  QTreeWidget* windowList_ = nullptr;
  bool typing_ = false;
  bool stopped_ = false;
};

// The top-level windows of this program, which auto-fill never lists nor types into.
std::vector<WindowId> OwnTopLevelWindows();

// Opens the dialog modally and destroys it afterwards. Where nothing can be
// typed into other programs, it says so instead.
void OpenAutoFillDialog(RecordTable& records, const AutoFillOpening& opening);

}  // namespace quilor
