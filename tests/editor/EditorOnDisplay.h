// The fixture of the display tests of the editor and the record commands:
// the real main window on a data file in a scratch folder, and what was
// written read back with quilor-cli. Included by each test file of it.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QInputDialog>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QToolTip>
#include <cerrno>
#include <cstdio>
#include <memory>

#include "ChangeMasterPasswordDialog.h"
#include "EditorGuiSupport.h"
#include "FileSteps.h"
#include "MainWindow.h"
#include "MasterPasswordDialog.h"
#include "ProtectedRecords.h"
#include "RecordEditor.h"
#include "RecordStamps.h"
#include "SampleRecords.h"
#include "ScriptHelpDialog.h"
#include "ScriptMenu.h"
#include "SecretLineEdit.h"
#include "TrayIcon.h"

namespace quilor::editor_test {

inline const char* const kPassword = "anahtar";

inline QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The records of a data file as quilor-cli exports them, in file order; an
// empty array when the CLI refused (exitCode tells why).
inline QJsonArray ExportWithCli(const QString& path, const QString& password,
                                int* exitCode = nullptr) {
  QProcess cli;
  cli.start(QStringLiteral(QUILOR_CLI_PATH), {QStringLiteral("export"), path});
  cli.write(password.toUtf8() + '\n');
  cli.closeWriteChannel();
  EXPECT_TRUE(cli.waitForFinished(30000));
  if (exitCode != nullptr) *exitCode = cli.exitCode();
  return QJsonDocument::fromJson(cli.readAllStandardOutput()).array();
}

inline QJsonObject RecordTitled(const QJsonArray& records, const QString& title) {
  for (const QJsonValue& r : records) {
    if (r[QStringLiteral("ALAN2")].toString() == title) return r.toObject();
  }
  ADD_FAILURE() << "no record " << title.toStdString();
  return {};
}

class EditorOnDisplay : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.isValid());
    path = folder.filePath(QStringLiteral("data.xtr"));

    RecordTable table;
    test::AppendSample(table, {.title = "Banka",
                               .group = "Ev",
                               .webAddress = "https://www.banka.com.tr",
                               .userName = "ali.veli",
                               .password = "Gizli-1",
                               .recordDate = test::Days(2020, 1, 2),
                               .password1Date = test::Days(2021, 5, 6),
                               .password1Time = 0.5,
                               .onTrayMenu = true,
                               .recordNumber = "202401010900000000001"});
    test::AppendSample(table, {.title = "Kargo Takip",
                               .group = "İŞ",
                               .password = "k",
                               .recordNumber = "202401010900000000002"});
    test::AppendSample(table, {.title = "Şirket e-posta",
                               .group = "İş",
                               .password = "e",
                               .recordNumber = "202401010900000000003"});
    test::AppendSample(table, {.title = "Ziraat",
                               .group = "Banka",
                               .description = "Maaş hesabı",
                               .password = "z",
                               .recordNumber = "202401010900000000004"});
    test::SaveSample(table, path.toStdString(), kPassword);
    openWindow();
    window->logIn(kPassword);
  }

  // The main window on the data file, shown, its list empty until a load.
  void openWindow() {
    window = std::make_unique<MainWindow>(MainWindowSetup{path.toStdString(), false});
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get(), 30000));
  }

  QTableView* list() { return window->findChild<QTableView*>(QStringLiteral("recordList")); }
  int rows() { return list()->model()->rowCount(); }
  QString cell(int row, int column) {
    return list()->model()->index(row, column).data().toString();
  }
  int rowTitled(const QString& title) {
    for (int r = 0; r < rows(); ++r) {
      if (cell(r, 0) == title) return r;
    }
    return -1;
  }
  void selectRowTitled(const QString& title) {
    const int row = rowTitled(title);
    ASSERT_GE(row, 0) << title.toStdString();
    window->selectListRow(row);
  }
  QAction* command(const char* name) {
    return window->findChild<QAction*>(QString::fromLatin1(name));
  }

  // An editor on the record of the row titled title, shown without a modal
  // loop of its own so the test can drive it step by step.
  std::unique_ptr<RecordEditor> openEditorOn(const QString& title) {
    selectRowTitled(title);
    window->findSelectedRecord();
    auto editor = std::make_unique<RecordEditor>(*window, window.get());
    editor->loadRecord();
    editor->setMode(RecordEditor::Mode::EditRecord);
    // Modal as the commands show it, so that keys and shortcuts reach it.
    editor->setWindowModality(Qt::ApplicationModal);
    editor->show();
    editor->activateWindow();
    EXPECT_TRUE(editor_test::WaitUntilActive(editor.get()));
    return editor;
  }

  // A key as the user presses it: into the dialog once it is active again.
  static void press(QWidget* dialog, Qt::Key key) {
    EXPECT_TRUE(editor_test::WaitUntilActive(dialog));
    QTest::keyClick(dialog, key);
  }

  // What another machine saves through a sync engine: the file as it is, with one record
  // changed, put in place in one rename.
  void changeElsewhere(const QString& title, const QString& description,
                       const std::string& masterPassword = kPassword) {
    QTemporaryDir elsewhere;
    const std::string theirs = elsewhere.filePath(QStringLiteral("data.xtr")).toStdString();
    RecordTable table;
    LoadRecords(table, path.toStdString(), MasterKey(kPassword), LoadSteps{});
    ASSERT_TRUE(table.locate(RecordTitled(ExportWithCli(path, kPassword), title)
                                 .value(QStringLiteral("ALAN1"))
                                 .toString()
                                 .toStdString()));
    table.edit();
    table.setText(Field::Description, description.toStdString());
    table.post();
    SaveRecords(table, theirs, MasterKey(masterPassword));
    ASSERT_EQ(std::rename(theirs.c_str(), path.toUtf8().constData()), 0);
  }

  template <typename T>
  static T* child(QWidget* parent, const char* name) {
    T* found = parent->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  // Key presses carrying each character, Turkish letters included.
  static void typeInto(QWidget* box, const QString& text) {
    box->setFocus();
    for (QChar c : text) QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), {});
  }

  QTemporaryDir folder;
  QString path;
  std::unique_ptr<MainWindow> window;
};

}  // namespace quilor::editor_test
