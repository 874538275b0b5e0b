// The main window on a real X server: the list, the search, the header
// clicks, the context menu, the delete command and the clipboard as another
// program reads it (xclip). Run under tests/support/with-display.sh.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFile>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <cerrno>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "FileSteps.h"
#include "Files.h"
#include "MainWindow.h"
#include "MasterPasswordDialog.h"
#include "MessageBoxAnswer.h"
#include "ProtectedRecords.h"
#include "RecordEditor.h"
#include "RecordListView.h"
#include "SampleRecords.h"
#include "SecretClipboard.h"
#include "TrayIcon.h"

namespace quilor {
namespace {

const char* const kMaster = "anahtar";

// What another program finds on the clipboard.
QString ReadClipboardWithXclip(const QStringList& extra = {}) {
  QProcess xclip;
  xclip.start(QStringLiteral("xclip"), QStringList{"-selection", "clipboard", "-o"} + extra);
  // Our own event loop must run while xclip asks us for the selection.
  EXPECT_TRUE(QTest::qWaitFor([&] { return xclip.state() == QProcess::NotRunning; }, 10000));
  return QString::fromUtf8(xclip.readAllStandardOutput());
}

// Keys as the user presses them: through the X server, to the window that
// has the keyboard focus. Each argument is one xdotool key name or chord.
void PressKeys(const QStringList& keys) {
  QProcess xdotool;
  xdotool.start(QStringLiteral("xdotool"), QStringList{"key", "--delay", "40"} + keys);
  EXPECT_TRUE(QTest::qWaitFor([&] { return xdotool.state() == QProcess::NotRunning; }, 10000));
  EXPECT_EQ(xdotool.exitCode(), 0) << xdotool.readAllStandardError().toStdString();
}

void TypeText(const QString& text) {
  QProcess xdotool;
  xdotool.start(QStringLiteral("xdotool"), QStringList{"type", "--delay", "40", text});
  EXPECT_TRUE(QTest::qWaitFor([&] { return xdotool.state() == QProcess::NotRunning; }, 10000));
}

// Keeps what the window shows when QUILOR_SCREENSHOTS names a folder
// (scripts/screenshots.sh sets it).
void SaveScreenshot(QWidget& window, const char* name) {
  const QByteArray folder = qgetenv("QUILOR_SCREENSHOTS");
  if (folder.isEmpty()) return;
  QApplication::processEvents();
  window.grab().save(QString::fromLocal8Bit(folder) + "/" + name + ".png");
}

// The disk fails a read, as a damaged one would.
class FailingRead : public FileSteps {
 public:
  long read(int, char*, std::size_t) override {
    errno = EIO;
    return -1;
  }
};

// Another program copies text, as a user would in the ten seconds. xclip
// serves one paste and then ends.
void CopyWithXclip(const QString& text) {
  QProcess xclip;
  xclip.start(QStringLiteral("xclip"), {"-selection", "clipboard", "-loops", "1", "-i"});
  xclip.write(text.toUtf8());
  xclip.closeWriteChannel();
  EXPECT_TRUE(QTest::qWaitFor([&] { return xclip.state() == QProcess::NotRunning; }, 10000));
  // The selection moves to xclip once our event loop has heard of it.
  EXPECT_TRUE(
      QTest::qWaitFor([] { return !QGuiApplication::clipboard()->ownsClipboard(); }, 10000));
}

// The disk refuses to put a written file in place, as a full or read-only
// one would.
class FailingRename : public FileSteps {
 public:
  int rename(const std::string&, const std::string&) override {
    errno = EIO;
    return -1;
  }
};

class MainWindowOnDisplay : public ::testing::Test {
 protected:
  void SetUp() override {
    path = folder.file("data.xtr");

    RecordTable table;
    test::AppendSample(table, {.title = "Banka",
                               .group = "Ev",
                               .webAddress = "https://www.banka.com.tr",
                               .userName = "ali.veli",
                               .password = "Gizli-1",
                               .recordDate = test::Days(2024, 3, 1),
                               .onTrayMenu = true,
                               .recordNumber = "202401010900000000001"});
    test::AppendSample(table, {.title = "Kargo Takip",
                               .group = "İş",
                               .password = "k",
                               .specialCode1 = "KOD7",
                               .recordDate = test::Days(2023, 1, 5),
                               .recordNumber = "202401010900000000002"});
    test::AppendSample(table, {.title = "Şirket e-posta",
                               .group = "İş",
                               .password = "e",
                               .onTrayMenu = true,
                               .recordNumber = "202401010900000000003"});
    test::AppendSample(table, {.title = "Ziraat",
                               .group = "Banka",
                               .description = "Maaş hesabı",
                               .password = "z",
                               .recordDate = test::Days(2024, 3, 1),
                               .recordNumber = "202401010900000000004"});
    test::SaveSample(table, path, kMaster);

    window = std::make_unique<MainWindow>(MainWindowSetup{path, false});
    // The countdown is driven tick by tick below, never by the clock.
    window->secretClipboard().setTickInterval(24 * 3600 * 1000);
    window->logIn(kMaster);
    window->showMainWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get(), 30000));
  }

  template <typename T>
  T* child(const char* name) {
    T* found = window->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  QTableView* list() { return child<QTableView>("recordList"); }
  QLineEdit* searchBox() { return child<QLineEdit>("searchBox"); }
  QString panel(int i) {
    return child<QLabel>(QStringLiteral("statusPanel%1").arg(i).toLatin1().constData())->text();
  }
  QProgressBar* progressBar() { return child<QProgressBar>("clipboardProgress"); }
  QMenu* trayRecordMenu() {
    return window->trayIcon().menu().findChild<QMenu*>(QStringLiteral("trayRecordMenu"));
  }
  int rows() { return list()->model()->rowCount(); }
  QString cell(int row, int column) {
    return list()->model()->index(row, column).data().toString();
  }
  void clickRowWithTitle(const QString& title) {
    for (int r = 0; r < rows(); ++r) {
      if (cell(r, 0) != title) continue;
      const QRect rect = list()->visualRect(list()->model()->index(r, 1));
      QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, rect.center());
      return;
    }
    ADD_FAILURE() << "no row " << title.toStdString();
  }
  void clickHeader(int column) {
    QHeaderView* header = list()->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(column) + 20, header->height() / 2));
  }
  QStringList titles() {
    QStringList all;
    for (int r = 0; r < rows(); ++r) all << cell(r, 0);
    return all;
  }
  QString selectedTitle() {
    const QModelIndexList selected = list()->selectionModel()->selectedRows();
    return selected.isEmpty() ? QString() : cell(selected.first().row(), 0);
  }
  bool headerArrowOn(int column) {
    return !list()->model()->headerData(column, Qt::Horizontal, Qt::DecorationRole).isNull();
  }
  void tickClipboardCountdown(int ticks) {
    for (int i = 0; i < ticks; ++i) window->secretClipboard().tick();
  }

  test::TempFolder folder;
  std::string path;
  std::unique_ptr<MainWindow> window;
};

// The box, the rows and the count agree after every rebuild of the list.
TEST_F(MainWindowOnDisplay, ASearchStaysAppliedThroughHeaderClicksAndReloads) {
  EXPECT_EQ(rows(), 4);
  EXPECT_EQ(panel(2), QStringLiteral("Toplam 4 Kayıt"));
  const auto fileBefore = test::StampOf(path);

  // "ka ev" runs from the title "Banka" into the group "Ev".
  searchBox()->setFocus();
  QTest::keyClicks(searchBox(), QStringLiteral("ka ev"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return panel(2) == QStringLiteral("Toplam 1 Kayıt"); }));
  EXPECT_EQ(titles(), QStringList{"Banka"});
  // Nothing was selected, and a search selects nothing by itself.
  EXPECT_EQ(selectedTitle(), QString());

  clickHeader(1);
  EXPECT_EQ(titles(), QStringList{"Banka"});
  EXPECT_EQ(panel(2), QStringLiteral("Toplam 1 Kayıt"));
  EXPECT_TRUE(headerArrowOn(1));
  EXPECT_FALSE(headerArrowOn(0));

  searchBox()->setText(QStringLiteral("iş"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return panel(2) == QStringLiteral("Toplam 2 Kayıt"); }));
  clickHeader(0);  // by title again, ascending
  EXPECT_EQ(titles(), (QStringList{"Kargo Takip", "Şirket e-posta"}));
  clickHeader(0);
  EXPECT_EQ(titles(), (QStringList{"Şirket e-posta", "Kargo Takip"}));
  window->loadRecords();
  EXPECT_EQ(titles(), (QStringList{"Şirket e-posta", "Kargo Takip"}));
  EXPECT_EQ(panel(2), QStringLiteral("Toplam 2 Kayıt"));

  // Reading a file that is already as the program writes it leaves it alone.
  EXPECT_EQ(test::StampOf(path), fileBefore);

  QTest::mouseClick(child<QToolButton>("clearSearchButton"), Qt::LeftButton);
  EXPECT_EQ(searchBox()->text(), QString());
  EXPECT_EQ(rows(), 4);
  EXPECT_EQ(panel(2), QStringLiteral("Toplam 4 Kayıt"));
}

// The record date sorts by the date, records of one day in creation order;
// the arrow sits on the column the list is sorted by.
TEST_F(MainWindowOnDisplay, TheRecordDateColumnSortsByDate) {
  auto arrow = [&](int column) {
    return list()->model()->headerData(column, Qt::Horizontal, Qt::DecorationRole).value<QIcon>();
  };
  const qint64 ascending = arrow(0).cacheKey();  // the arrow at start

  clickHeader(6);
  EXPECT_EQ(titles(), (QStringList{"Şirket e-posta", "Kargo Takip", "Banka", "Ziraat"}));
  EXPECT_FALSE(headerArrowOn(0));
  EXPECT_EQ(arrow(6).cacheKey(), ascending);
  clickHeader(6);
  EXPECT_EQ(titles(), (QStringList{"Ziraat", "Banka", "Kargo Takip", "Şirket e-posta"}));
  ASSERT_TRUE(headerArrowOn(6));
  EXPECT_NE(arrow(6).cacheKey(), ascending);
  SaveScreenshot(*window, "main-window-by-record-date");
}

TEST_F(MainWindowOnDisplay, TheClipboardIsEmptiedOnTheHundredthTickAfterTheLastCopy) {
  clickRowWithTitle(QStringLiteral("Banka"));
  child<QAction>("copyPassword")->trigger();
  EXPECT_EQ(ReadClipboardWithXclip(), QStringLiteral("Gizli-1"));
  EXPECT_TRUE(ReadClipboardWithXclip({"-t", "TARGETS"}).contains("x-kde-passwordManagerHint"));
  EXPECT_TRUE(progressBar()->isVisible());
  EXPECT_EQ(panel(0), QStringLiteral("Pano süresi..."));
  EXPECT_TRUE(window->secretClipboard().counting());

  tickClipboardCountdown(60);
  EXPECT_EQ(progressBar()->value(), 60);

  // A second copy starts the hundred ticks again.
  child<QAction>("copyUserName")->trigger();
  EXPECT_EQ(progressBar()->value(), 0);
  tickClipboardCountdown(99);
  EXPECT_EQ(ReadClipboardWithXclip(), QStringLiteral("ali.veli"));
  EXPECT_TRUE(progressBar()->isVisible());
  EXPECT_EQ(progressBar()->value(), 99);

  tickClipboardCountdown(1);
  EXPECT_EQ(ReadClipboardWithXclip(), QString());
  EXPECT_FALSE(progressBar()->isVisible());
  EXPECT_EQ(panel(0), QString());
  EXPECT_FALSE(window->secretClipboard().counting());
}

// Text the user copied after the secret, in another program or in this one
// (a search text, say), is theirs: the countdown ends without touching it.
TEST_F(MainWindowOnDisplay, TheCountdownLeavesTextCopiedAfterTheSecretAlone) {
  const struct {
    const char* what;
    std::function<void()> copyOther;
  } cases[] = {
      {"another program", [] { CopyWithXclip(QStringLiteral("başka program")); }},
      {"this program",
       [] { QGuiApplication::clipboard()->setText(QStringLiteral("başka program")); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    clickRowWithTitle(QStringLiteral("Banka"));
    child<QAction>("copyPassword")->trigger();
    tickClipboardCountdown(50);
    c.copyOther();
    tickClipboardCountdown(50);
    EXPECT_FALSE(window->secretClipboard().counting());
    EXPECT_FALSE(progressBar()->isVisible());
    EXPECT_EQ(ReadClipboardWithXclip(), QStringLiteral("başka program"));
  }
}

// Ending the program during a countdown takes the secret off the clipboard,
// and only the secret.
TEST_F(MainWindowOnDisplay, EndingDuringACountdownTakesOnlyTheSecretAlong) {
  clickRowWithTitle(QStringLiteral("Banka"));
  child<QAction>("copyPassword")->trigger();
  ASSERT_EQ(ReadClipboardWithXclip(), QStringLiteral("Gizli-1"));
  window.reset();
  EXPECT_FALSE(QGuiApplication::clipboard()->ownsClipboard());
  EXPECT_EQ(ReadClipboardWithXclip(), QString());

  window = std::make_unique<MainWindow>(MainWindowSetup{path, false});
  window->logIn(kMaster);
  window->showMainWindow();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  clickRowWithTitle(QStringLiteral("Banka"));
  child<QAction>("copyPassword")->trigger();
  CopyWithXclip(QStringLiteral("kullanıcının metni"));
  window.reset();
  EXPECT_EQ(ReadClipboardWithXclip(), QStringLiteral("kullanıcının metni"));
}

TEST_F(MainWindowOnDisplay, AnEmptyFieldStillReplacesTheClipboardAndCountsDown) {
  QGuiApplication::clipboard()->setText(QStringLiteral("önceki metin"));
  clickRowWithTitle(QStringLiteral("Banka"));
  child<QAction>("copyPassword2")->trigger();
  EXPECT_EQ(ReadClipboardWithXclip(), QString());
  EXPECT_TRUE(progressBar()->isVisible());
  EXPECT_EQ(panel(0), QStringLiteral("Pano süresi..."));
  EXPECT_TRUE(window->secretClipboard().counting());
}

TEST_F(MainWindowOnDisplay, TheContextMenuOffersCopiesOnlyForASelectedRow) {
  auto* menu = child<QMenu>("recordMenu");
  const char* needSelection[] = {"copyUserName", "copyPassword", "copyPassword2", "copyWebAddress",
                                 "copyCode1",    "copyCode2",    "openWebAddress"};
  // A right click as the window system delivers it: the press, then the
  // context menu request.
  auto openAt = [&](QPoint pos) {
    QWidget* viewport = list()->viewport();
    QTest::mouseClick(viewport, Qt::RightButton, {}, pos);
    QContextMenuEvent request(QContextMenuEvent::Mouse, pos, viewport->mapToGlobal(pos));
    QApplication::sendEvent(viewport, &request);
    ASSERT_TRUE(QTest::qWaitFor([&] { return menu->isVisible(); }));
  };

  openAt(QPoint(40, list()->viewport()->height() - 10));  // below the last row
  for (const char* name : needSelection) EXPECT_FALSE(child<QAction>(name)->isEnabled()) << name;
  EXPECT_TRUE(child<QAction>("autoFill")->isEnabled());
  menu->close();

  const int ziraat = [&] {
    for (int r = 0; r < rows(); ++r) {
      if (cell(r, 0) == QStringLiteral("Ziraat")) return r;
    }
    return -1;
  }();
  openAt(list()->visualRect(list()->model()->index(ziraat, 0)).center());
  for (const char* name : needSelection) EXPECT_TRUE(child<QAction>(name)->isEnabled()) << name;
  const QStringList captions = [&] {
    QStringList all;
    for (QAction* a : menu->actions()) all << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return all;
  }();
  EXPECT_EQ(captions, (QStringList{"Kullanıcı Adını Panoya Kopyala", "Şifreyi Panoya Kopyala",
                                   "Şifre 2'yi Panoya Kopyala", "Web Adresini Panoya Kopyala",
                                   "Özel Kod 1'i Panoya Kopyala", "Özel Kod 2'yi Panoya Kopyala",
                                   "-", "Otomatik Doldur", "Web Adresini Aç"}));
  menu->close();
}

TEST_F(MainWindowOnDisplay, DeletingAsksFirstThenSavesAndKeepsTheSearchApplied) {
  QAction* remove = child<QAction>("deleteRecord");
  const auto info = test::AnswerMessageBox([&] { remove->trigger(); });
  ASSERT_TRUE(info);
  EXPECT_EQ(info->caption, QStringLiteral("Bilgi"));
  EXPECT_EQ(info->text, QStringLiteral("Önce bir şifre seçiniz."));

  searchBox()->setText(QStringLiteral("iş"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return rows() == 2; }));
  clickRowWithTitle(QStringLiteral("Kargo Takip"));
  const std::string before = test::ReadBytes(path);

  const auto no = test::AnswerMessageBox([&] { remove->trigger(); }, QMessageBox::No);
  ASSERT_TRUE(no);
  EXPECT_EQ(no->caption, QStringLiteral("Soru"));
  EXPECT_EQ(no->text, QStringLiteral("Bu şifreyi silmek istediğinizden emin misiniz?\n\n"
                                     "Tanım: Kargo Takip\nGrubu: İş"));
  EXPECT_EQ(rows(), 2);
  EXPECT_EQ(test::ReadBytes(path), before);

  const auto yes = test::AnswerMessageBox([&] { remove->trigger(); }, QMessageBox::Yes);
  ASSERT_TRUE(yes);
  EXPECT_EQ(titles(), QStringList{"Şirket e-posta"});
  EXPECT_EQ(panel(2), QStringLiteral("Toplam 1 Kayıt"));
  EXPECT_EQ(searchBox()->text(), QStringLiteral("iş"));

  RecordTable reread;
  LoadRecords(reread, path, MasterKey(kMaster), {});
  ASSERT_EQ(reread.recordCount(), 3u);
  for (reread.first(); !reread.eof(); reread.next()) {
    EXPECT_NE(reread.text(Field::Title), "Kargo Takip");
  }
}

// A delete whose save fails leaves table, list and file as they were, and a
// copy from the row still selected takes that row's own record.
TEST_F(MainWindowOnDisplay, AFailedDeleteChangesNothingTheUserSees) {
  clickRowWithTitle(QStringLiteral("Kargo Takip"));
  const std::string before = test::ReadBytes(path);
  {
    FailingRename failing;
    ScopedFileSteps steps(failing);
    const test::MessageBoxAnswerer boxes({QMessageBox::Yes, QMessageBox::Ok});
    child<QAction>("deleteRecord")->trigger();
    ASSERT_EQ(boxes.seen().size(), 2u);
    EXPECT_EQ(boxes.seen()[1].caption, QStringLiteral("ZENTARIS Quilor"));
    EXPECT_EQ(boxes.seen()[1].text,
              QStringLiteral("Veri dosyası kaydedilemedi: %1 (disk okuma/yazma hatası). Diskte "
                             "yer olduğunu ve klasöre yazma izniniz bulunduğunu kontrol edip "
                             "yeniden deneyiniz; önceki dosya değiştirilmedi.")
                  .arg(path.c_str()));
  }
  EXPECT_EQ(test::ReadBytes(path), before);
  EXPECT_EQ(rows(), 4);
  EXPECT_EQ(panel(2), QStringLiteral("Toplam 4 Kayıt"));
  EXPECT_EQ(window->records().recordCount(), 4u);

  child<QAction>("copyPassword")->trigger();
  EXPECT_EQ(ReadClipboardWithXclip(), QStringLiteral("k"));
  child<QAction>("copyCode1")->trigger();
  EXPECT_EQ(ReadClipboardWithXclip(), QStringLiteral("KOD7"));
}

// A search reads the file again once it changed on disk. A reload that fails
// (here the read) leaves the table empty; the list must not keep rows whose
// records are gone, and a copy then puts nothing on the clipboard.
TEST_F(MainWindowOnDisplay, AFailedReloadLeavesNoRowWithoutItsRecord) {
  clickRowWithTitle(QStringLiteral("Banka"));
  QGuiApplication::clipboard()->setText(QStringLiteral("önceki metin"));
  // Another copy of the same bytes put in its place, as a sync tool does.
  test::WriteBytes(path + ".neu", test::ReadBytes(path));
  std::filesystem::rename(path + ".neu", path);
  {
    FailingRead failing;
    ScopedFileSteps steps(failing);
    const test::MessageBoxAnswerer boxes({QMessageBox::Ok});
    searchBox()->setText(QStringLiteral("Banka"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return boxes.seen().size() == 1; }));
    EXPECT_EQ(boxes.seen()[0].text,
              QStringLiteral("Veri dosyası okunamadı: %1 (disk okuma/yazma hatası). Dosyanın "
                             "yerinde olduğunu ve okuma izniniz bulunduğunu kontrol edip yeniden "
                             "deneyiniz.")
                  .arg(path.c_str()));
  }
  EXPECT_EQ(rows(), 0);
  EXPECT_EQ(panel(2), QStringLiteral("Toplam 0 Kayıt"));
  child<QAction>("copyPassword")->trigger();
  EXPECT_EQ(ReadClipboardWithXclip(), QStringLiteral("önceki metin"));
}

TEST_F(MainWindowOnDisplay, CommandsThatLackWhatTheyNeedSayWhyAndDoNothingElse) {
  struct Case {
    const char* record;  // selected first, when given
    const char* command;
    QString message;
  };
  const Case cases[] = {
      {nullptr, "editRecord", QStringLiteral("Önce bir şifre seçiniz.")},
      {"Kargo Takip", "openWebAddress", QStringLiteral("Kaydın web adresi belirtilmemiş.")},
  };
  for (const Case& c : cases) {
    if (c.record != nullptr) clickRowWithTitle(QString::fromUtf8(c.record));
    const auto info = test::AnswerMessageBox([&] { child<QAction>(c.command)->trigger(); });
    ASSERT_TRUE(info);
    EXPECT_EQ(info->caption, QStringLiteral("Bilgi")) << c.command;
    EXPECT_EQ(info->text, c.message) << c.command;
  }

  // The tray's record item for a record without an address says the same.
  const auto info = test::AnswerMessageBox([&] { trayRecordMenu()->actions().at(1)->trigger(); });
  ASSERT_TRUE(info);
  EXPECT_EQ(info->text, QStringLiteral("Kaydın web adresi belirtilmemiş."));
  EXPECT_EQ(rows(), 4);
}

// Answers re-authentication dialogs: each entry is a password to type and
// confirm with "Giriş", or nullptr for "Vazgeç". Message boxes are accepted
// and their texts kept.
class ReAuthScript : public QObject {
 public:
  explicit ReAuthScript(std::vector<const char*> answers) : answers_(std::move(answers)) {
    connect(&poll_, &QTimer::timeout, this, &ReAuthScript::step);
    poll_.start(20);
  }
  QStringList messages;

 private:
  void step() {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      messages << box->text();
      box->accept();
      return;
    }
    MasterPasswordDialog* dialog = MasterPasswordDialog::instance();
    if (dialog == nullptr || !dialog->isVisible() || next_ >= answers_.size()) return;
    const char* answer = answers_[next_++];
    if (answer == nullptr) {
      QMetaObject::invokeMethod(dialog, "reject", Qt::QueuedConnection);
      return;
    }
    dialog->findChild<QLineEdit*>(QStringLiteral("passwordBox"))
        ->setText(QString::fromUtf8(answer));
    // Queued, so that a message box the click opens is answered by a later step.
    QMetaObject::invokeMethod(dialog->findChild<QPushButton*>(QStringLiteral("loginButton")),
                              "click", Qt::QueuedConnection);
  }

  std::vector<const char*> answers_;
  std::size_t next_ = 0;
  QTimer poll_;
};

TEST_F(MainWindowOnDisplay, AHiddenWindowComesBackFromTheTrayOnlyWithTheMasterPassword) {
  child<QAction>("hideToTray")->trigger();
  EXPECT_FALSE(window->isVisible());
  EXPECT_TRUE(window->trayIcon().isVisible());

  {
    ReAuthScript cancel({nullptr});
    emit window->trayIcon().systemIcon().activated(QSystemTrayIcon::DoubleClick);
  }
  EXPECT_FALSE(window->isVisible());
  EXPECT_TRUE(window->trayIcon().isVisible());

  ReAuthScript unlock({"ANAHTAR", "anahtar"});
  emit window->trayIcon().systemIcon().activated(QSystemTrayIcon::DoubleClick);
  EXPECT_EQ(unlock.messages, QStringList{QStringLiteral("Şifre yanlış")});
  EXPECT_TRUE(window->isVisible());
  EXPECT_FALSE(window->trayIcon().isVisible());
  EXPECT_EQ(rows(), 4);
}

// The way back from the tray can be found: the tooltip says the window is
// locked, one click asks for the password, and so does "Göster", the first
// item of the tray menu.
TEST_F(MainWindowOnDisplay, OneClickOrGosterBringsTheWindowBackFromTheTray) {
  EXPECT_EQ(window->trayIcon().toolTip(), QStringLiteral("Quilor (kilitli)"));
  QAction* show = window->trayIcon().menu().actions().value(0);
  ASSERT_NE(show, nullptr);
  EXPECT_EQ(show->text(), QStringLiteral("Göster"));
  const std::function<void()> ways[] = {
      [&] { emit window->trayIcon().systemIcon().activated(QSystemTrayIcon::Trigger); },
      [&] { show->trigger(); },
  };
  for (const auto& comeBack : ways) {
    child<QAction>("hideToTray")->trigger();
    ASSERT_FALSE(window->isVisible());
    ReAuthScript unlock({"anahtar"});
    comeBack();
    EXPECT_TRUE(unlock.messages.isEmpty());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(rows(), 4);
  }
}

// At the window's first size all nine columns fit without scrolling, and
// the dates show in full.
TEST_F(MainWindowOnDisplay, AllColumnsFitTheFirstWindowWithTheDatesInFull) {
  SaveScreenshot(*window, "main-window-columns");
  QHeaderView* header = list()->horizontalHeader();
  EXPECT_EQ(list()->horizontalScrollBar()->maximum(), 0);
  EXPECT_LE(header->length(), list()->viewport()->width());
  const QFontMetrics metrics = list()->fontMetrics();
  for (int r = 0; r < rows(); ++r) {
    for (int c = 6; c < 9; ++c) {
      EXPECT_LT(metrics.horizontalAdvance(cell(r, c)), header->sectionSize(c))
          << "row " << r << " column " << c;
    }
  }
}

TEST_F(MainWindowOnDisplay, EscAsksBeforeClosingAndCancelKeepsTheWindow) {
  // Esc is the shortcut of an action, which Qt hands only to the active
  // window; a busy machine maps the window well before it gets the focus.
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get(), 10000));
  const auto question =
      test::AnswerMessageBox([&] { QTest::keyClick(list(), Qt::Key_Escape); }, QMessageBox::Cancel);
  ASSERT_TRUE(question);
  EXPECT_EQ(question->caption, QStringLiteral("Soru"));
  EXPECT_EQ(question->text, QStringLiteral("Program kapatılsın mı?"));
  EXPECT_TRUE(window->isVisible());
}

TEST_F(MainWindowOnDisplay, AnEmptyListSaysHowToAddARecordOrThatTheSearchFoundNothing) {
  MainWindow first(MainWindowSetup{folder.file("none/data.xtr"), false});
  first.logIn(kMaster);
  const auto* firstList = first.findChild<RecordListView*>(QStringLiteral("recordList"));
  EXPECT_EQ(firstList->model()->rowCount(), 0);
  EXPECT_EQ(first.findChild<QLabel*>(QStringLiteral("statusPanel2"))->text(),
            QStringLiteral("Toplam 0 Kayıt"));
  EXPECT_EQ(firstList->emptyHint(),
            QStringLiteral("Henüz kayıt yok. Yeni bir şifre kaydı eklemek için araç çubuğundaki "
                           "\"Yeni Kayıt\" düğmesine basın."));

  searchBox()->setText(QStringLiteral("yok böyle bir kayıt"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return panel(2) == QStringLiteral("Toplam 0 Kayıt"); }));
  EXPECT_EQ(child<RecordListView>("recordList")->emptyHint(),
            QStringLiteral("Aramayla eşleşen kayıt bulunamadı. Aramayı temizlemek için Esc "
                           "tuşuna basın."));
  SaveScreenshot(*window, "main-window-nothing-found");
}

// The keys users of other password managers reach for, pressed for real.
TEST_F(MainWindowOnDisplay, TheKeyboardSearchesCopiesAndDeletes) {
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get(), 10000));
  clickRowWithTitle(QStringLiteral("Kargo Takip"));

  // Ctrl+F: to the search box; typing searches. The selected record is not
  // among the matches, so nothing is selected.
  PressKeys({"ctrl+f"});
  ASSERT_TRUE(QTest::qWaitFor([&] { return searchBox()->hasFocus(); }));
  TypeText(QStringLiteral("banka"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return panel(2) == QStringLiteral("Toplam 2 Kayıt"); }));
  EXPECT_EQ(titles(), (QStringList{"Banka", "Ziraat"}));
  EXPECT_EQ(selectedTitle(), QString());

  // Down: into the list, on that row. Ctrl+C and Ctrl+B copy its password
  // and user name, through the countdown; the list's own copy of the
  // title cell never happens.
  PressKeys({"Down"});
  ASSERT_TRUE(QTest::qWaitFor([&] { return list()->hasFocus(); }));
  EXPECT_EQ(selectedTitle(), QStringLiteral("Banka"));
  PressKeys({"ctrl+c"});
  EXPECT_TRUE(QTest::qWaitFor([&] { return window->secretClipboard().counting(); }));
  EXPECT_EQ(ReadClipboardWithXclip(), QStringLiteral("Gizli-1"));
  EXPECT_EQ(panel(0), QStringLiteral("Pano süresi..."));
  PressKeys({"ctrl+b"});
  EXPECT_TRUE(QTest::qWaitFor([&] { return ReadClipboardWithXclip() == "ali.veli"; }));

  // Ctrl+U opens the row's web address; this one has none, and says so.
  PressKeys({"Down"});
  ASSERT_EQ(selectedTitle(), QStringLiteral("Ziraat"));
  {
    const test::MessageBoxAnswerer boxes({QMessageBox::Ok});
    PressKeys({"ctrl+u"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return boxes.seen().size() == 1; }));
    EXPECT_EQ(boxes.seen()[0].text, QStringLiteral("Kaydın web adresi belirtilmemiş."));
  }

  // Esc in a search box with text empties it, and asks nothing.
  {
    const test::MessageBoxAnswerer boxes({QMessageBox::Cancel});
    PressKeys({"ctrl+f", "Escape"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return panel(2) == QStringLiteral("Toplam 4 Kayıt"); }));
    EXPECT_EQ(searchBox()->text(), QString());
    EXPECT_TRUE(boxes.seen().empty());
    // In the empty box Esc is the window's again: the question to close.
    PressKeys({"Escape"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return boxes.seen().size() == 1; }));
    EXPECT_EQ(boxes.seen()[0].text, QStringLiteral("Program kapatılsın mı?"));
  }
  EXPECT_TRUE(window->isVisible());
}

// After every rebuild of the list the highlight is on the record it was on,
// wherever that record went, and Ctrl+C copies that record's password; a
// record that left the list takes the highlight along.
TEST_F(MainWindowOnDisplay, TheHighlightFollowsItsRecordThroughEveryRebuild) {
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get(), 10000));
  clickHeader(1);  // by group: Banka, Ev, İş, İş
  ASSERT_EQ(titles(), (QStringList{"Ziraat", "Banka", "Kargo Takip", "Şirket e-posta"}));
  clickRowWithTitle(QStringLiteral("Kargo Takip"));

  // Enter edits; a new group moves the record to the top as it is saved.
  QTimer editing;
  QObject::connect(&editing, &QTimer::timeout, [&] {
    RecordEditor* editor = RecordEditor::instance();
    if (editor == nullptr || !editor->isVisible()) return;
    editing.stop();
    editor->findChild<QComboBox*>(QStringLiteral("groupCombo"))
        ->setEditText(QStringLiteral("Aile"));
    editor->findChild<QPushButton*>(QStringLiteral("saveButton"))->click();
  });
  editing.start(20);
  PressKeys({"Return"});
  ASSERT_TRUE(QTest::qWaitFor([] { return RecordEditor::instance() == nullptr; }, 10000));
  ASSERT_EQ(titles(), (QStringList{"Kargo Takip", "Ziraat", "Banka", "Şirket e-posta"}));
  EXPECT_EQ(selectedTitle(), QStringLiteral("Kargo Takip"));
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get(), 10000));
  PressKeys({"ctrl+c"});
  EXPECT_TRUE(QTest::qWaitFor([] { return ReadClipboardWithXclip() == QStringLiteral("k"); }));

  // A sort and a search that keeps the record keep the highlight on it.
  clickHeader(0);
  EXPECT_EQ(selectedTitle(), QStringLiteral("Kargo Takip"));
  searchBox()->setText(QStringLiteral("ka"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return panel(2) == QStringLiteral("Toplam 3 Kayıt"); }));
  EXPECT_EQ(selectedTitle(), QStringLiteral("Kargo Takip"));

  // A search that leaves it out leaves nothing highlighted, and Ctrl+C then
  // copies nothing; the record does not come back when the search goes.
  searchBox()->setText(QStringLiteral("ziraat"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return panel(2) == QStringLiteral("Toplam 1 Kayıt"); }));
  EXPECT_EQ(selectedTitle(), QString());
  CopyWithXclip(QStringLiteral("başka bir metin"));
  list()->setFocus();
  PressKeys({"ctrl+c"});
  EXPECT_EQ(ReadClipboardWithXclip(), QStringLiteral("başka bir metin"));
  searchBox()->clear();
  ASSERT_TRUE(QTest::qWaitFor([&] { return panel(2) == QStringLiteral("Toplam 4 Kayıt"); }));
  EXPECT_EQ(selectedTitle(), QString());

  // A deleted record takes the highlight along.
  clickRowWithTitle(QStringLiteral("Banka"));
  const auto yes =
      test::AnswerMessageBox([&] { child<QAction>("deleteRecord")->trigger(); }, QMessageBox::Yes);
  ASSERT_TRUE(yes);
  EXPECT_EQ(titles(), (QStringList{"Kargo Takip", "Şirket e-posta", "Ziraat"}));
  EXPECT_EQ(selectedTitle(), QString());
}

// Delete asks first, and the question starts on "No": a hasty Enter keeps
// the record.
TEST_F(MainWindowOnDisplay, TheDeleteKeyAsksWithNoFocused) {
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get(), 10000));
  clickRowWithTitle(QStringLiteral("Ziraat"));
  const std::string before = test::ReadBytes(path);

  QString question;
  bool noFocused = false;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isActiveWindow() || !question.isEmpty()) return;
    question = box->text();
    noFocused = box->focusWidget() == box->button(QMessageBox::No);
    PressKeys({"Return"});
  });
  watch.start(20);
  PressKeys({"Delete"});
  ASSERT_TRUE(QTest::qWaitFor([&] { return !question.isEmpty(); }));
  watch.stop();
  ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeModalWidget() == nullptr; }));

  EXPECT_EQ(question, QStringLiteral("Bu şifreyi silmek istediğinizden emin misiniz?\n\n"
                                     "Tanım: Ziraat\nGrubu: Banka"));
  EXPECT_TRUE(noFocused);
  EXPECT_EQ(rows(), 4);
  EXPECT_EQ(test::ReadBytes(path), before);
}

TEST_F(MainWindowOnDisplay, TheRecordMenuShowsTheKeysOfItsCommands) {
  const std::pair<const char*, const char*> keys[] = {
      {"copyUserName", "Ctrl+B"}, {"copyPassword", "Ctrl+C"}, {"openWebAddress", "Ctrl+U"}};
  for (const auto& [name, key] : keys) {
    EXPECT_EQ(child<QAction>(name)->shortcut().toString(), QString::fromLatin1(key)) << name;
  }
  EXPECT_EQ(child<QAction>("deleteRecord")->shortcut(), QKeySequence(Qt::Key_Delete));
}

TEST_F(MainWindowOnDisplay, TheTrayMenuListsTheFlaggedRecordsInFileOrder) {
  QMenu* tray = &window->trayIcon().menu();
  QStringList top;
  for (QAction* a : tray->actions()) top << a->text();
  EXPECT_EQ(top, (QStringList{"Göster", "Web Adresine Bağlan", "Otomatik Doldur", "Kapat"}));

  QStringList records;
  for (QAction* a : trayRecordMenu()->actions()) records << a->text();
  EXPECT_EQ(records, (QStringList{"Banka", "Şirket e-posta"}));
}

}  // namespace
}  // namespace quilor

#include "MainWindowGuiTest.moc"
