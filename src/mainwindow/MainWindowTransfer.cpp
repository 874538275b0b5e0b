// Moving records in from another password manager's CSV export and out to
// a CSV file: the "Dosya" menu's two transfer commands.
#include <QDateTime>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Cp1254.h"
#include "Csv.h"
#include "CsvTexts.h"
#include "ErrorDisplay.h"
#include "Info.h"
#include "Json.h"
#include "MainWindow.h"
#include "MainWindowTexts.h"
#include "RecordAdding.h"
#include "RecordCsv.h"
#include "SecureWipe.h"
#include "WholeFile.h"

namespace quilor {

namespace {

// The plain secrets read from a CSV file go with it.
struct ReadCsv {
  ~ReadCsv() {
    WipeText(text);
    for (cli::ImportedRecord& record : read.records) record.values.wipe();
  }
  std::string text;
  cli::CsvRecords read;
};

// A copy of the table whose deciphered secrets must not outlive it.
struct WipedOnExit {
  ~WipedOnExit() { table.wipeAllRecords(); }
  RecordTable& table;
};

void AppendSection(QString& out, const QString& heading, const std::vector<std::string>& lines) {
  if (lines.empty()) return;
  out += QStringLiteral("\n") + heading + QStringLiteral("\n");
  for (const std::string& line : lines)
    out += QStringLiteral("  ") + QString::fromStdString(line) + '\n';
}

// The lines as the command line words them, less the words that the
// preview's heading over them says already.
std::vector<std::string> Without(std::vector<std::string> lines, std::string_view words) {
  for (std::string& line : lines) {
    const std::size_t at = line.find(words);
    if (at != std::string::npos) line.erase(at, words.size());
  }
  return lines;
}

// Every row that will not come in or comes in changed, with its reason.
QString PreviewDetails(const ReadCsv& csv, const cli::AddedRecords& added) {
  std::vector<std::string> duplicates;
  for (std::size_t index : added.duplicates) {
    const cli::ImportedRecord& record = csv.read.records[index];
    const cli::TextPosition where = cli::PositionOf(csv.text, record.offsets[Field::Title]);
    duplicates.push_back(texts::kImportLine.toStdString() + std::to_string(where.line) + " \"" +
                         FromCp1254(record.values[Field::Title].text).toStdString() + "\"");
  }
  QString details;
  AppendSection(details, texts::kImportRefused, csv.read.refused);
  AppendSection(details, texts::kImportDuplicates, duplicates);
  AppendSection(details, texts::kImportJoined,
                Without(csv.read.joinedValues, cli::text::kCsvJoined));
  AppendSection(details, texts::kImportDatesUnread,
                Without(csv.read.unreadDates, cli::text::kCsvDateUnread));
  AppendSection(details, texts::kImportColumnsUnused, csv.read.unknownColumns);
  return details.trimmed();
}

// Shows what an import will do; true when the user goes ahead.
bool ConfirmImport(QWidget* parent, int count, const QString& details) {
  QDialog dialog(parent);
  dialog.setObjectName(QStringLiteral("importPreview"));
  dialog.setWindowTitle(parent->windowTitle());
  auto* layout = new QVBoxLayout(&dialog);
  auto* summary = new QLabel(QString::number(count) + texts::kImportCountSuffix, &dialog);
  summary->setObjectName(QStringLiteral("importCount"));
  layout->addWidget(summary);
  auto* list = new QPlainTextEdit(details, &dialog);
  list->setObjectName(QStringLiteral("importDetails"));
  list->setReadOnly(true);
  list->setVisible(!details.isEmpty());
  layout->addWidget(list);
  auto* buttons = new QDialogButtonBox(&dialog);
  QPushButton* add = buttons->addButton(texts::kImportAdd, QDialogButtonBox::AcceptRole);
  add->setObjectName(QStringLiteral("importAddButton"));
  add->setEnabled(count > 0);
  QPushButton* cancel = buttons->addButton(texts::kImportCancel, QDialogButtonBox::RejectRole);
  // Enter takes the offer when there is one; Escape always leaves.
  QPushButton* focused = count > 0 ? add : cancel;
  focused->setDefault(true);
  focused->setFocus();
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout->addWidget(buttons);
  dialog.resize(640, details.isEmpty() ? 120 : 420);
  return dialog.exec() == QDialog::Accepted;
}

QString ChooseFile(QWidget* parent, QFileDialog::AcceptMode mode) {
  QFileDialog dialog(parent, parent->windowTitle());
  dialog.setObjectName(QStringLiteral("transferFileDialog"));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(mode);
  dialog.setNameFilter(texts::kCsvFilter);
  // Not the program's own folder: a plain-text copy of the passwords does
  // not belong beside the data file, which may be a synchronised one.
  dialog.setDirectory(QDir::homePath());
  if (mode == QFileDialog::AcceptSave) {
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    dialog.selectFile(texts::kExportFileName);
  } else {
    dialog.setFileMode(QFileDialog::ExistingFile);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().first();
}

// True when path names the data file itself, through a link or not.
bool SameFile(const QString& path, const std::string& dataFilePath) {
  const QString target = QFileInfo(path).canonicalFilePath();
  return !target.isEmpty() &&
         target == QFileInfo(QString::fromStdString(dataFilePath)).canonicalFilePath();
}

}  // namespace

void MainWindow::importCsv() {
  Guarded([this] {
    AbortWithInfo(!windowLock_.windowShown(), texts::kTransferWhileLocked);
    const QString path = ChooseFile(this, QFileDialog::AcceptOpen);
    if (path.isEmpty()) return;
    ReadCsv csv;
    std::optional<std::string> bytes = ReadWholeFile(path.toStdString());
    AbortWithInfo(!bytes.has_value(), path + texts::kCsvNotFound);
    csv.text = std::move(*bytes);
    try {
      // Lines are joined rather than the file refused: the preview lists
      // every value that was.
      csv.read = cli::ReadCsvRecords(csv.text, {false, true}, QDateTime::currentDateTime());
    } catch (const cli::CsvError& error) {
      const cli::TextPosition where = cli::PositionOf(csv.text, error.offset());
      AbortWithInfo(true, path + ':' + QString::number(where.line) + QStringLiteral(": ") +
                              QString::fromUtf8(error.what()));
    }
    RecordTable changed = records();
    // Left unsaved (a refusal, a lock), the copy takes its secrets along.
    const WipedOnExit wiped{changed};
    const cli::AddedRecords added =
        cli::AddNewRecords(changed, csv.read.records, QDateTime::currentDateTime());
    const int count = static_cast<int>(added.numbers.size());
    if (!ConfirmImport(this, count, PreviewDetails(csv, added))) return;
    // The idle lock may have struck while the preview was open.
    AbortWithInfo(!windowLock_.windowShown(), texts::kTransferWhileLocked);
    SaveOutcome outcome = SaveOutcome::Written;
    readKeepingListHonest([&] {
      outcome = session_.saveInstead(std::move(changed), TableChange{added.numbers, {}});
    });
    tellSaveOutcome(outcome, texts::kRecordChangedElsewhere);
    ShowInfo(QString::number(count) + texts::kImportDoneSuffix);
  });
}

void MainWindow::exportCsv() {
  Guarded([this] {
    AbortWithInfo(!windowLock_.windowShown(), texts::kTransferWhileLocked);
    QMessageBox warning(QMessageBox::Warning, windowTitle(), texts::kExportWarning,
                        QMessageBox::Yes | QMessageBox::No, this);
    warning.setDefaultButton(QMessageBox::No);
    if (warning.exec() != QMessageBox::Yes) return;
    const QString path = ChooseFile(this, QFileDialog::AcceptSave);
    if (path.isEmpty()) return;
    AbortWithInfo(SameFile(path, session_.dataFilePath()), texts::kExportOverDataFile);
    AbortWithInfo(!windowLock_.windowShown(), texts::kTransferWhileLocked);
    RecordTable& table = records();
    const RecordTable::Bookmark mark = table.remember();
    std::string csv = cli::RecordsToCsv(table);
    table.returnTo(mark);
    try {
      // Written beside the target under mode 0600 and renamed over it.
      ReplaceWholeFile(path.toStdString(), csv);
    } catch (...) {
      WipeText(csv);
      throw;
    }
    WipeText(csv);
    ShowInfo(QString::number(table.recordCount()) + texts::kExportDoneMiddle + path);
  });
}

}  // namespace quilor
