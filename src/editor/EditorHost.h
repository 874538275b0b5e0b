#pragma once

#include <QString>
#include <QStringList>
#include <string>

#include "SilentAbort.h"

namespace quilor {

class RecordTable;

// Thrown by a save that found the record changed elsewhere too: the records
// were read again and the user told; the table holds the file's records, so
// nothing of the refused change may be put back into it.
struct RecordsReloaded : SilentAbort {};

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

  // Writes the whole table to the data file, reads it back and refreshes the
  // list (as the search box asks), the count and the tray menu; throws when
  // it cannot write. The secrets of the record with enteredRecordId (a
  // RecordId) were just typed in and are held to their limits. Throws
  // RecordsReloaded when that record was changed elsewhere as well.
  virtual void saveRecords(int enteredRecordId) = 0;
};

}  // namespace quilor
