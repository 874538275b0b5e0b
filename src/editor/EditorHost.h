#pragma once

#include <QString>
#include <QStringList>
#include <string>

namespace quilor {

class RecordTable;

// What the record editor needs of the main window: its caption, the record
// table, the record list and the steps that save and reload.
class EditorHost {
 public:
  virtual ~EditorHost() = default;
  virtual QString caption() const = 0;
  virtual RecordTable& recordTable() = 0;

  // The group text of every listed row, in list order.
  virtual QStringList listedGroups() const = 0;
  virtual int listedRowCount() const = 0;
  // The selected row of the list; -1 when none is selected.
  virtual int selectedListRow() const = 0;
  virtual void selectListRow(int row) = 0;
  // Puts the highlight on the row of the record with this number, when the
  // list shows it.
  virtual void selectRecord(const std::string& recordNumber) = 0;
  // Makes the selected row's record the table's current one; false when
  // there is no such record.
  virtual bool makeSelectedRecordCurrent() = 0;

  // Writes the whole table to the data file; throws when it cannot. The
  // secrets of the record with enteredRecordId (a RecordId) were just typed
  // in and are held to their limits.
  virtual void saveRecords(int enteredRecordId) = 0;
  // Reads the data file back and refreshes the list, the count and the tray menu.
  virtual void loadRecords() = 0;
  // The search box's text, and the search itself (which reloads first).
  virtual QString searchText() const = 0;
  virtual void reapplySearch(const QString& text) = 0;
};

}  // namespace quilor
