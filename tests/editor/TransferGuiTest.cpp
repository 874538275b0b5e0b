// The "Dosya" menu's CSV import and export on the real main window, picked
// with real mouse clicks, the file named in Qt's own file dialog with real
// key presses (xdotool), and the file read back with quilor-cli. Run under
// tests/support/with-display.sh.
#include <sys/stat.h>

#include <QFileDialog>
#include <QMenuBar>

#include "EditorOnDisplay.h"
#include "MainWindowTexts.h"
#include "MessageBoxAnswer.h"

namespace quilor::editor_test {
namespace {

// Runs xdotool to its end, as another program on the desktop does; false
// when it failed or did not end within ten seconds.
bool Xdotool(const QStringList& arguments) {
  QProcess tool;
  tool.start(QStringLiteral("xdotool"), arguments);
  return tool.waitForFinished(10000) && tool.exitStatus() == QProcess::NormalExit &&
         tool.exitCode() == 0;
}

bool ClickAt(const QPoint& at) {
  return Xdotool({QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()),
                  QStringLiteral("click"), QStringLiteral("1")});
}

// Types path into the next file dialog's name box and presses Enter there.
void TypeInNextFileDialog(const QString& path) {
  WhenShown<QFileDialog>([path](QFileDialog* dialog) {
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name, nullptr);
    EXPECT_TRUE(Xdotool({QStringLiteral("key"), QStringLiteral("ctrl+a")}));
    EXPECT_TRUE(
        Xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("5"), path}));
    EXPECT_TRUE(QTest::qWaitFor([&] { return name->text() == path; }, 10000))
        << name->text().toStdString();
    EXPECT_TRUE(Xdotool({QStringLiteral("key"), QStringLiteral("Return")}));
  });
}

// Answers the message boxes that come up, in order, each with a real click
// on the next of answers, and keeps their texts. The first one is saved as
// a screenshot named firstShot.
std::shared_ptr<QStringList> ClickThroughMessageBoxes(
    std::vector<QMessageBox::StandardButton> answers, const QString& firstShot = QString()) {
  auto texts = std::make_shared<QStringList>();
  auto* poll = new QTimer;
  QObject::connect(poll, &QTimer::timeout, [poll, texts, answers, firstShot] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    // A clicked box closes only once its loop runs again: it is not the next one.
    if (box == nullptr || !box->isVisible() || box->property("clicked").toBool()) return;
    if (!WaitUntilActive(box)) return;
    box->setProperty("clicked", true);
    if (texts->isEmpty() && !firstShot.isEmpty()) Screenshot(firstShot);
    const QMessageBox::StandardButton answer = answers[static_cast<std::size_t>(texts->size())];
    texts->append(box->text());
    if (static_cast<std::size_t>(texts->size()) == answers.size()) {
      poll->stop();
      poll->deleteLater();
    }
    QAbstractButton* button = box->button(answer);
    ASSERT_NE(button, nullptr) << box->text().toStdString();
    EXPECT_TRUE(ClickAt(button->mapToGlobal(button->rect().center())));
  });
  poll->start(20);
  return texts;
}

// What the import preview showed before it was answered.
struct Preview {
  bool shown = false;
  QString count;
  QString details;
};

// Reads the next import preview, runs meanwhile (something that happens
// while the user reads it) and then presses key ("Return" adds, "Escape"
// leaves).
std::shared_ptr<Preview> AnswerPreview(const QString& key, std::function<void()> meanwhile = {}) {
  auto preview = std::make_shared<Preview>();
  auto* poll = new QTimer;
  QObject::connect(poll, &QTimer::timeout, [poll, preview, key, meanwhile] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (dialog == nullptr || dialog->objectName() != QStringLiteral("importPreview")) return;
    poll->stop();
    poll->deleteLater();
    WaitUntilActive(dialog);
    preview->shown = true;
    preview->count = dialog->findChild<QLabel*>(QStringLiteral("importCount"))->text();
    preview->details =
        dialog->findChild<QPlainTextEdit*>(QStringLiteral("importDetails"))->toPlainText();
    Screenshot(QStringLiteral("editor-csv-import-preview"));
    if (meanwhile) meanwhile();
    if (!key.isEmpty()) {
      EXPECT_TRUE(Xdotool({QStringLiteral("key"), key}));
    }
  });
  poll->start(20);
  return preview;
}

// KeePassXC's columns: its root group goes, its dates come in.
const char* const kKeePassXcCsv =
    "\"Group\",\"Title\",\"Username\",\"Password\",\"URL\",\"Notes\",\"TOTP\",\"Icon\","
    "\"Last Modified\",\"Created\"\n"
    // Already here: skipped.
    "\"Root/Ev\",\"Banka\",\"ali.veli\",\"Gizli-1\",\"https://www.banka.com.tr\",\"\",\"\",\"0\","
    "\"\",\"\"\n"
    // A character Windows-1254 lacks: refused.
    "\"Root/E\xC4\x9Flence\",\"Oyun\",\"oyuncu\",\"\xF0\x9F\x98\x80\",\"\",\"\",\"\",\"0\",\"\","
    "\"\"\n"
    // Two lines of notes: joined.
    "\"Root/\xC4\xB0\xC5\x9F\",\"Yeni\",\"yeni\",\"y\",\"\",\"iki\nsat\xC4\xB1r\",\"\",\"0\","
    "\"2020-07-08T09:10:00Z\",\"2019-02-03T10:00:00Z\"\n"
    // A date that cannot be read: the record comes in without it.
    "\"Root/\xC4\xB0\xC5\x9F\",\"Posta\",\"p\",\"q\",\"\",\"\",\"\",\"0\",\"\",\"d\xC3\xBCn\"\n";

class Transfer : public EditorOnDisplay {
 protected:
  void SetUp() override {
    EditorOnDisplay::SetUp();
    window->showMainWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get(), 30000));
    window->activateWindow();
    ASSERT_TRUE(WaitUntilActive(window.get()));
  }

  // Opens "Dosya" and picks the item with two real clicks, then lets the
  // command run until every dialog it opened has closed.
  void pickFromFileMenu(const char* item) {
    QMenuBar* bar = window->menuBar();
    auto* file = window->findChild<QMenu*>(QStringLiteral("fileMenu"));
    ASSERT_TRUE(ClickAt(bar->mapToGlobal(bar->actionGeometry(file->menuAction()).center())));
    ASSERT_TRUE(QTest::qWaitFor([file] { return file->isVisible(); }, 10000));
    ASSERT_TRUE(ClickAt(file->mapToGlobal(file->actionGeometry(command(item)).center())));
    ASSERT_TRUE(QTest::qWaitFor([file] { return !file->isVisible(); }, 10000));
    EXPECT_TRUE(
        QTest::qWaitFor([] { return QApplication::activeModalWidget() == nullptr; }, 60000));
  }

  QString writeCsv(const char* bytes) {
    const QString csv = folder.filePath(QStringLiteral("keepassxc.csv"));
    QFile file(csv);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return csv;
  }
};

TEST_F(Transfer, ImportShowsWhatComesInAndWhatNotThenAddsIt) {
  const QString csv = writeCsv(kKeePassXcCsv);

  // Looked at and left: nothing changes.
  const QByteArray before = ReadFile(path);
  TypeInNextFileDialog(csv);
  auto preview = AnswerPreview(QStringLiteral("Escape"));
  pickFromFileMenu("importCsv");
  ASSERT_TRUE(preview->shown);
  EXPECT_EQ(preview->count, QStringLiteral("2 kayıt eklenecek."));
  for (const char* expected :
       {"satır 3 \"Oyun\", Password: şu karakter Windows-1254'te yok", "satır 2 \"Banka\"",
        "satır 4 \"Yeni\", Notes", "satır 6 \"Posta\", Created: dün"}) {
    EXPECT_TRUE(preview->details.contains(QString::fromUtf8(expected)))
        << expected << "\n"
        << preview->details.toStdString();
  }
  EXPECT_EQ(ReadFile(path), before);
  EXPECT_EQ(rows(), 4);

  // Added: through the same check and write as every save.
  TypeInNextFileDialog(csv);
  preview = AnswerPreview(QStringLiteral("Return"));
  test::MessageBoxAnswerer answers({QMessageBox::Ok});
  pickFromFileMenu("importCsv");
  ASSERT_EQ(answers.seen().size(), 1u);
  EXPECT_EQ(answers.seen()[0].text, QStringLiteral("2 kayıt eklendi."));
  const QJsonArray records = ExportWithCli(path, kPassword);
  ASSERT_EQ(records.size(), 6);
  const QJsonObject added = RecordTitled(records, QStringLiteral("Yeni"));
  EXPECT_EQ(added[QStringLiteral("ALAN3")].toString(), QStringLiteral("yeni"));
  EXPECT_EQ(added[QStringLiteral("ALAN4")].toString(), QStringLiteral("y"));
  EXPECT_EQ(added[QStringLiteral("ALAN6")].toString(), QStringLiteral("iki / satır"));
  EXPECT_EQ(added[QStringLiteral("ALAN10")].toString(), QStringLiteral("İş"));
  EXPECT_EQ(added[QStringLiteral("ALAN11")].toInt(),
            DayNumber(QDateTime(QDate(2019, 2, 3), QTime(10, 0), Qt::UTC).toLocalTime().date()));
  EXPECT_EQ(added[QStringLiteral("ALAN12")].toInt(),
            DayNumber(QDateTime(QDate(2020, 7, 8), QTime(9, 10), Qt::UTC).toLocalTime().date()));
  // A new record number, not one the file had.
  EXPECT_FALSE(added[QStringLiteral("ALAN1")].toString().startsWith(QStringLiteral("20240101")));
  EXPECT_FALSE(RecordTitled(records, QStringLiteral("Posta")).isEmpty());
  EXPECT_EQ(rows(), 6);
  EXPECT_GE(rowTitled(QStringLiteral("Yeni")), 0);
}

TEST_F(Transfer, ImportTakesInWhatAnotherMachineSavedWhileThePreviewWasOpen) {
  const QString csv = writeCsv(kKeePassXcCsv);
  TypeInNextFileDialog(csv);
  auto preview = AnswerPreview(QStringLiteral("Return"), [this] {
    changeElsewhere(QStringLiteral("Ziraat"), QStringLiteral("Orada degisti"));
  });
  test::MessageBoxAnswerer answers({QMessageBox::Ok, QMessageBox::Ok});
  pickFromFileMenu("importCsv");
  ASSERT_EQ(answers.seen().size(), 2u);
  EXPECT_EQ(answers.seen()[0].text, texts::kChangesFromElsewhereTaken);
  EXPECT_EQ(answers.seen()[1].text, QStringLiteral("2 kayıt eklendi."));
  const QJsonArray records = ExportWithCli(path, kPassword);
  EXPECT_EQ(records.size(), 6);
  EXPECT_EQ(RecordTitled(records, QStringLiteral("Ziraat"))[QStringLiteral("ALAN6")].toString(),
            QStringLiteral("Orada degisti"));
  EXPECT_FALSE(RecordTitled(records, QStringLiteral("Yeni")).isEmpty());
}

TEST_F(Transfer, ExportWarnsFirstAndLeavesAFileOnlyItsOwnerReads) {
  // A file already there, readable by everyone: replaced by one that is not.
  const QString csv = folder.filePath(QStringLiteral("out.csv"));
  {
    QFile old(csv);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("eski\n");
  }
  ASSERT_EQ(::chmod(csv.toUtf8().constData(), 0644), 0);
  TypeInNextFileDialog(csv);
  // The warning, the file dialog's own "replace?" and the notice.
  auto answered = ClickThroughMessageBoxes({QMessageBox::Yes, QMessageBox::Yes, QMessageBox::Ok},
                                           QStringLiteral("editor-csv-export-warning"));
  pickFromFileMenu("exportCsv");
  ASSERT_EQ(answered->size(), 3);
  EXPECT_EQ(answered->at(0), texts::kExportWarning);
  EXPECT_EQ(answered->at(2), QStringLiteral("4 kayıt dışa aktarıldı: ") + csv);
  struct stat info {};
  ASSERT_EQ(::stat(csv.toUtf8().constData(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
  const QByteArray written = ReadFile(csv);
  EXPECT_TRUE(
      written.startsWith("\"Group\",\"Title\",\"Username\",\"Password\",\"URL\",\"Notes\""));
  EXPECT_TRUE(written.contains("\"Ev\",\"Banka\",\"ali.veli\",\"Gizli-1\""));
  EXPECT_TRUE(written.contains("\"Banka\",\"Ziraat\",\"\",\"z\",\"\",\"Maaş hesabı\""));
}

TEST_F(Transfer, ExportSaidNoToOrAimedAtTheDataFileWritesNothing) {
  test::MessageBoxAnswerer declined({QMessageBox::No});
  pickFromFileMenu("exportCsv");
  ASSERT_EQ(declined.seen().size(), 1u);
  EXPECT_TRUE(QDir(folder.path()).entryList({QStringLiteral("*.csv")}).isEmpty());

  const QByteArray before = ReadFile(path);
  TypeInNextFileDialog(path);
  test::MessageBoxAnswerer refused({QMessageBox::Yes, QMessageBox::Yes, QMessageBox::Ok});
  pickFromFileMenu("exportCsv");
  ASSERT_EQ(refused.seen().size(), 3u);
  EXPECT_EQ(refused.seen()[2].text, texts::kExportOverDataFile);
  EXPECT_EQ(ReadFile(path), before);
}

TEST_F(Transfer, ALockedWindowOffersNeitherAndALockOnTheWayWritesNothing) {
  const QString csv = writeCsv(kKeePassXcCsv);
  const QByteArray before = ReadFile(path);

  // The idle lock strikes while the preview is open: it closes, nothing is added.
  TypeInNextFileDialog(csv);
  auto preview = AnswerPreview(QString(), [this] { command("hideToTray")->trigger(); });
  command("importCsv")->trigger();
  EXPECT_TRUE(preview->shown);
  EXPECT_EQ(ReadFile(path), before);
  EXPECT_FALSE(command("importCsv")->isEnabled());
  EXPECT_FALSE(command("exportCsv")->isEnabled());

  // Triggered all the same (from outside, say): nothing opens.
  test::MessageBoxAnswerer nothing({QMessageBox::Ok});
  command("exportCsv")->trigger();
  command("importCsv")->trigger();
  EXPECT_TRUE(nothing.seen().empty());
  EXPECT_TRUE(QDir(folder.path()).entryList({QStringLiteral("*.csv")}) ==
              QStringList{QStringLiteral("keepassxc.csv")});
}

}  // namespace
}  // namespace quilor::editor_test
