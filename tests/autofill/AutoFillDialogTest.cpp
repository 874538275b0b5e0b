// The auto-fill dialog in this process on a real X server, typing into a
// form in another process that reports what it received.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <memory>

#include "AutoFillDialog.h"
#include "AutoFillTexts.h"
#include "Cp1254.h"
#include "Screenshot.h"
#include "TypingTarget.h"

namespace quilor {
namespace {

namespace texts = autofill_texts;
using test::TypingTarget;

struct RecordData {
  const char* number;
  QString title;
  QString script;
  QString user;
  QString password;
};

void AddRecords(RecordTable& records, std::initializer_list<RecordData> data) {
  for (const RecordData& d : data) {
    records.append();
    records.setText(Field::RecordNumber, d.number);
    records.setText(Field::Title, ToCp1254(d.title).bytes);
    records.setText(Field::AutoFillScript, ToCp1254(d.script).bytes);
    records.setText(Field::UserName, ToCp1254(d.user).bytes);
    records.setText(Field::Password, ToCp1254(d.password).bytes);
    records.post();
  }
}

QStringList Items(const QTreeWidget& list) {
  QStringList out;
  for (int i = 0; i < list.topLevelItemCount(); ++i) out << list.topLevelItem(i)->text(0);
  return out;
}

QString Selected(const QTreeWidget& list) {
  const QList<QTreeWidgetItem*> items = list.selectedItems();
  return items.isEmpty() ? QString() : items.first()->text(0);
}

struct SeenBox {
  QString caption;
  QString text;
};

// Closes every message box that opens while it lives and tells what they showed.
class MessageBoxCloser {
 public:
  MessageBoxCloser() {
    QObject::connect(&poll_, &QTimer::timeout, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr) return;
      seen.push_back({box->windowTitle(), box->text()});
      box->button(QMessageBox::Ok)->click();
    });
    poll_.start(50);
  }
  std::vector<SeenBox> seen;

 private:
  QTimer poll_;
};

class AutoFillDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    display_ = XOpenDisplay(nullptr);
    ASSERT_NE(display_, nullptr);
    // Stands in for the main window: ours, so never listed.
    mainWindow_.setWindowTitle("ZENTARIS Quilor s1.02.01f");
    mainWindow_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&mainWindow_, 30000));
    desktop_ = OpenAutoFillDesktop(OwnTopLevelWindows);
    ASSERT_NE(desktop_, nullptr);
  }
  void TearDown() override { XCloseDisplay(display_); }

  std::unique_ptr<AutoFillDialog> openDialog(const AutoFillOpening& opening) {
    auto dialog = std::make_unique<AutoFillDialog>(records_, *desktop_, opening);
    dialog->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog.get(), 30000));
    return dialog;
  }

  static QTreeWidget& list(AutoFillDialog& d, const char* name) {
    return *d.findChild<QTreeWidget*>(name);
  }
  static void select(QTreeWidget& list, const QString& text) {
    list.setCurrentItem(list.findItems(text, Qt::MatchExactly).value(0));
  }
  static void confirm(AutoFillDialog& d) { d.findChild<QPushButton*>("confirmButton")->click(); }

  Display* display_ = nullptr;
  QWidget mainWindow_;
  RecordTable records_;
  std::unique_ptr<AutoFillDesktop> desktop_;
};

TEST_F(AutoFillDialogTest, ListsEveryRecordAndOpenWindowsWithTheirPreselection) {
  AddRecords(records_, {{"1", "Banka", "{KULLANICIADI}", "a", "b"},
                        {"2", "Posta", "x", "a", "b"},
                        {"3", "Boş Kayıt", "", "a", "b"},
                        {"4", "Posta", "y", "a", "b"}});
  TypingTarget lower(display_, "Alt Form");
  TypingTarget upper(display_, "Üst Form");

  // Main window shown with "Posta" selected and no record fitting the
  // window: the last "Posta" is chosen; the window the user worked in (the
  // top one) is preselected. A record without a script says it types the
  // default one.
  auto dialog = openDialog({"ZENTARIS Quilor s1.02.01f", true, "Posta"});
  EXPECT_EQ(dialog->windowTitle(), "ZENTARIS Quilor s1.02.01f");
  QTreeWidget& records = list(*dialog, "recordList");
  QTreeWidget& windows = list(*dialog, "windowList");
  EXPECT_EQ(Items(records), (QStringList{"Banka", "Posta", "Boş Kayıt (varsayılan)", "Posta"}));
  EXPECT_EQ(records.currentIndex().row(), 3);
  EXPECT_EQ(Items(windows), (QStringList{"Üst Form", "Alt Form"}));
  EXPECT_EQ(Selected(windows), "Üst Form");
  EXPECT_EQ(QApplication::focusWidget(), &records);
  EXPECT_EQ(dialog->findChild<QLabel*>("waylandNote"), nullptr);
  dialog.reset();

  // Opened while the main window is hidden: its selection does not count,
  // and the first record is selected when the dialog shows.
  dialog = openDialog({"ZENTARIS Quilor s1.02.01f", false, "Posta"});
  EXPECT_EQ(list(*dialog, "recordList").currentIndex().row(), 0);
}

TEST_F(AutoFillDialogTest, TheRecordThatFitsTheChosenWindowIsChosenWithIt) {
  AddRecords(records_, {{"1", "Posta", "", "a", "b"},
                        {"2", "Banka", "", "ayşe", "Şifre-1"},
                        {"3", "Kurumsal Posta", "", "a", "b"},
                        {"4", "Forum", "", "a", "b"}});
  TypingTarget other(display_, "Başka Form");
  TypingTarget mail(display_, "Kurumsal Posta Girişi");
  TypingTarget bank(display_, "Banka Girişi");

  // One record fits the window the user came from: it is chosen among all
  // records, and Enter is all it takes.
  auto dialog = openDialog({"ZENTARIS Quilor s1.02.01f", true, "Forum"});
  QTreeWidget& records = list(*dialog, "recordList");
  QTreeWidget& windows = list(*dialog, "windowList");
  auto* showAll = dialog->findChild<QCheckBox*>("showAll");
  EXPECT_EQ(Selected(windows), "Banka Girişi");
  EXPECT_EQ(records.topLevelItemCount(), 4);
  EXPECT_EQ(Selected(records), "Banka (varsayılan)");
  EXPECT_FALSE(showAll->isVisible());
  EXPECT_EQ(QApplication::focusWidget(), dialog->findChild<QPushButton*>("confirmButton"));
  test::SaveScreenshot(*dialog, "autofill-fitting-record");

  // Another window: two records fit, the longer match first, and only they
  // are listed until "Tümünü göster" lists every record again.
  select(windows, "Kurumsal Posta Girişi");
  EXPECT_EQ(Items(records), (QStringList{"Kurumsal Posta (varsayılan)", "Posta (varsayılan)"}));
  EXPECT_EQ(Selected(records), "Kurumsal Posta (varsayılan)");
  EXPECT_TRUE(showAll->isVisible());
  EXPECT_EQ(showAll->text(), "Tümünü göster");
  test::SaveScreenshot(*dialog, "autofill-several-fits");
  showAll->setChecked(true);
  EXPECT_EQ(records.topLevelItemCount(), 4);
  EXPECT_EQ(Selected(records), "Kurumsal Posta (varsayılan)");

  // A window no record fits: every record, the choice kept.
  select(windows, "Başka Form");
  EXPECT_EQ(records.topLevelItemCount(), 4);
  EXPECT_EQ(Selected(records), "Kurumsal Posta (varsayılan)");
  EXPECT_FALSE(showAll->isVisible());

  // Back to the bank's window: its record types the default script.
  select(windows, "Banka Girişi");
  EXPECT_EQ(Selected(records), "Banka (varsayılan)");
  confirm(*dialog);
  const test::TargetReport report = bank.waitForKeys("<Return>");
  EXPECT_EQ(report.keys, "ayşe<Tab>Şifre-1<Return>");
  EXPECT_EQ(mail.report().keys, "");
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

// A hand-edited file may hold two records under one number: each types its
// own secrets.
TEST_F(AutoFillDialogTest, TheChosenRecordTypesItsOwnSecretsWhateverItsNumber) {
  AddRecords(records_, {{"5", "Banka", "", "ayşe", "b-1"}, {"5", "Banka Eski", "", "veli", "b-2"}});
  TypingTarget target(display_, "Banka Eski Giriş");
  auto dialog = openDialog({"ZENTARIS Quilor s1.02.01f", true, {}});
  EXPECT_EQ(Items(list(*dialog, "recordList")),
            (QStringList{"Banka Eski (varsayılan)", "Banka (varsayılan)"}));
  confirm(*dialog);
  EXPECT_EQ(target.waitForKeys("<Return>").keys, "veli<Tab>b-2<Return>");
}

TEST_F(AutoFillDialogTest, WithoutRecordsTamamAsksForBothChoices) {
  TypingTarget target(display_, "Giriş Formu");
  auto dialog = openDialog({"ZENTARIS Quilor s1.02.01f", true, {}});
  EXPECT_EQ(list(*dialog, "recordList").topLevelItemCount(), 0);
  MessageBoxCloser boxes;
  confirm(*dialog);
  ASSERT_EQ(boxes.seen.size(), 1u);
  EXPECT_EQ(boxes.seen[0].caption, "Bilgi");
  EXPECT_EQ(boxes.seen[0].text, texts::kPickBoth);
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(target.report().keys, "");
}

TEST_F(AutoFillDialogTest, TamamTypesTheRecordIntoTheChosenWindowAndCloses) {
  AddRecords(records_,
             {{"1", "Banka", "{KULLANICIADI}{TAB}{SIFRE1}{BEKLE_500}~", "ayşe", "Şifre@1{{}"}});
  TypingTarget target(display_, "Giriş Formu");
  TypingTarget other(display_, "Başka Form");
  auto dialog = openDialog({"ZENTARIS Quilor s1.02.01f", true, {}});
  select(list(*dialog, "windowList"), "Giriş Formu");
  confirm(*dialog);
  const test::TargetReport report = target.waitForKeys("<Return>");
  EXPECT_EQ(report.first, "ayşe");
  EXPECT_EQ(report.second, "Şifre@1{");
  EXPECT_EQ(report.keys, "ayşe<Tab>Şifre@1{<Return>");
  EXPECT_EQ(other.report().keys, "");
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

TEST_F(AutoFillDialogTest, AfterAnEngineMessageTheTargetGetsTheRestOfTheKeys) {
  AddRecords(records_, {{"1", "Banka", "ab{NOSUCH}cd", "", ""}});
  TypingTarget target(display_, "Giriş Formu");
  auto dialog = openDialog({"ZENTARIS Quilor s1.02.01f", true, {}});
  select(list(*dialog, "windowList"), "Giriş Formu");
  MessageBoxCloser boxes;
  confirm(*dialog);
  ASSERT_EQ(boxes.seen.size(), 1u);
  EXPECT_EQ(boxes.seen[0].caption, "SendKeys");
  EXPECT_EQ(boxes.seen[0].text, "Invalid Key Name");
  EXPECT_EQ(target.waitForFirst("abcd").first, "abcd");
}

TEST_F(AutoFillDialogTest, FocusTakenDuringAWaitStopsTheTypingAndSaysSo) {
  AddRecords(records_, {{"1", "Banka", "abc{BEKLE_2000}def", "", ""}});
  TypingTarget target(display_, "Giriş Formu");
  TypingTarget other(display_, "Başka Form");
  auto dialog = openDialog({"ZENTARIS Quilor s1.02.01f", true, {}});
  select(list(*dialog, "windowList"), "Giriş Formu");
  // Another program takes the keyboard while the script waits.
  QProcess thief;
  thief.start("sh", {"-c", QString("sleep 0.7; xdotool windowactivate %1").arg(other.window())});
  MessageBoxCloser boxes;
  confirm(*dialog);
  thief.waitForFinished();
  ASSERT_EQ(boxes.seen.size(), 1u);
  EXPECT_EQ(boxes.seen[0].caption, "ZENTARIS Quilor");
  EXPECT_TRUE(boxes.seen[0].text.contains("odağını kaybettiği için yazma durduruldu"))
      << boxes.seen[0].text.toStdString();
  EXPECT_EQ(target.waitForFirst("abc").first, "abc");
  EXPECT_EQ(other.report().keys, "");
  EXPECT_TRUE(dialog->isVisible());
}

// A wait longer than a minute anywhere in the script refuses the whole
// script before its first key, and says which record holds it.
TEST_F(AutoFillDialogTest, AScriptWithAWaitOverAMinuteIsRefusedBeforeItsFirstKey) {
  AddRecords(records_, {{"1", "Uzun Bekleyen", "ab{BEKLE_10}cd{BEKLE_60001}ef", "", ""}});
  TypingTarget target(display_, "Giriş Formu");
  auto dialog = openDialog({"ZENTARIS Quilor s1.02.01f", true, {}});
  select(list(*dialog, "windowList"), "Giriş Formu");
  MessageBoxCloser boxes;
  confirm(*dialog);
  ASSERT_EQ(boxes.seen.size(), 1u);
  EXPECT_EQ(boxes.seen[0].caption, "Bilgi");
  EXPECT_EQ(boxes.seen[0].text,
            "\"Uzun Bekleyen\" kaydının betiğinde 60001 milisaniyelik bir bekleme var. Bir bekleme "
            "en çok 60000 milisaniye (1 dakika) olabilir; betik yazılmadı. Kaydı düzenleyip "
            "beklemeyi kısaltın.");
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(target.report().keys, "");
}

TEST_F(AutoFillDialogTest, AWindowClosedMeanwhileGetsNothingAndTheDialogCloses) {
  AddRecords(records_, {{"1", "Banka", "abc", "", ""}});
  auto target = std::make_unique<TypingTarget>(display_, "Kapanacak Form");
  auto dialog = openDialog({"ZENTARIS Quilor s1.02.01f", true, {}});
  select(list(*dialog, "windowList"), "Kapanacak Form");
  target.reset();
  MessageBoxCloser boxes;
  confirm(*dialog);
  EXPECT_TRUE(boxes.seen.empty());
  EXPECT_FALSE(dialog->isVisible());
}

}  // namespace
}  // namespace quilor

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
