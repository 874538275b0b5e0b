#pragma once

#include <QDialog>
#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "AutoFillDesktop.h"
#include "RecordTable.h"
#include "ScriptPieces.h"
#include "WindowFit.h"

class QCheckBox;
class QPushButton;
class QTreeWidget;

namespace quilor {

// What the dialog takes over from the window that opens it.
struct AutoFillOpening {
  QString caption;  // the main window's caption, also the dialog's
  bool mainWindowVisible = false;
  QString selectedRecordTitle;  // the title of the row selected in the main list, if any
};

// Pairs a record with an open window, brings that window to the front and
// types the record's script into it (the default script for a record
// without one). The record that fits the chosen window comes preselected.
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
  // What the list needs of a record; no secret.
  struct Listed {
    QString title;
    std::string recordNumber;  // Windows-1254 bytes
    RecordTable::Bookmark mark = 0;
    bool ownScript = false;
  };

  void collectRecords(const AutoFillOpening& opening);
  void fillWindowList();
  // Works out which records fit the chosen window and lists them.
  void windowChosen();
  // Lists the fitting records alone while several fit and "Tümünü
  // göster" is off, else every record; selects `choice` when it is listed.
  void showRecords(std::optional<std::size_t> choice);
  std::optional<std::size_t> selectedRecord() const;
  // Makes the listed record the table's current one; false when it is gone.
  bool makeCurrent(const Listed& record);
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
  std::vector<Listed> listed_;
  std::vector<FitKeys> fitKeys_;
  std::vector<WindowFit> fits_;
  // The record selected in the main window, chosen when no record fits.
  std::optional<std::size_t> openingChoice_;
  QTreeWidget* recordList_ = nullptr;
  QTreeWidget* windowList_ = nullptr;
  bool typing_ = false;
  bool stopped_ = false;
  QCheckBox* showAll_ = nullptr;
  QPushButton* confirmButton_ = nullptr;
};

// The top-level windows of this program, which auto-fill never lists nor types into.
std::vector<WindowId> OwnTopLevelWindows();

// Opens the dialog modally and destroys it afterwards. Where nothing can be
// typed into other programs, it says so instead.
void OpenAutoFillDialog(RecordTable& records, const AutoFillOpening& opening);

}  // namespace quilor
