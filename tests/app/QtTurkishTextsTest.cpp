// Qt's own texts are Turkish whatever the locale the program starts under.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <memory>

#include "QtTurkishTexts.h"

namespace {

QString ButtonText(QMessageBox& box, QMessageBox::StandardButton which) {
  return box.button(which)->text().remove(QLatin1Char('&'));
}

TEST(QtTurkishTexts, MessageBoxButtonsAndTextBoxMenuAreTurkishUnderAnEnglishLocale) {
  ASSERT_TRUE(quilor::InstallQtTurkishTexts(*QCoreApplication::instance()));

  QMessageBox box(QMessageBox::Question, QStringLiteral("Soru"), QStringLiteral("?"),
                  QMessageBox::Ok | QMessageBox::Cancel | QMessageBox::Yes | QMessageBox::No);
  EXPECT_EQ(ButtonText(box, QMessageBox::Ok), QStringLiteral("Tamam"));
  EXPECT_EQ(ButtonText(box, QMessageBox::Cancel), QStringLiteral("İptal"));
  EXPECT_EQ(ButtonText(box, QMessageBox::Yes), QStringLiteral("Evet"));
  EXPECT_EQ(ButtonText(box, QMessageBox::No), QStringLiteral("Hayır"));

  QLineEdit edit(QStringLiteral("metin"));
  const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
  QStringList texts;
  for (const QAction* action : menu->actions()) {
    if (!action->isSeparator())
      texts << action->text().remove(QLatin1Char('&')).section('\t', 0, 0);
  }
  EXPECT_TRUE(texts.contains(QStringLiteral("Kopyala"))) << texts.join(", ").toStdString();
  EXPECT_FALSE(texts.contains(QStringLiteral("Copy"))) << texts.join(", ").toStdString();
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qputenv("LANG", "C");
  qputenv("LC_ALL", "C");
  QApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
