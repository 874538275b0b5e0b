#pragma once

#include <QDialog>
#include <functional>
#include <string>

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

namespace quilor {

class RecordTable;

// The password health report: a header with the totals and one row per
// finding, worst first. It shows which record has a problem, never a
// password. A double-click (or Enter) asks for the record to be edited; the report is
// worked out again afterwards. Created per use and shown modally; while it
// exists, instance() names it.
class PasswordHealthDialog : public QDialog {
  Q_OBJECT

 public:
  // editRecord opens the record with this number (Windows-1254 bytes) in the editor.
  PasswordHealthDialog(const QString& caption, RecordTable& records,
                       std::function<void(const std::string&)> editRecord,
                       QWidget* parent = nullptr);
  ~PasswordHealthDialog() override;

  static PasswordHealthDialog* instance() { return instance_; }

 private:
  void refresh();
  void openRecord(QTreeWidgetItem* item);

  static PasswordHealthDialog* instance_;
  RecordTable& records_;
  std::function<void(const std::string&)> editRecord_;
  QLabel* summary_ = nullptr;
  QTreeWidget* findings_ = nullptr;
};

}  // namespace quilor
