#pragma once

#include <QDialog>
#include <QPixmap>
#include <QStringList>

class QLabel;

namespace quilor {

class ScrollingTextPanel;

// What an about box is built from; each opening starts from these values.
struct AboutContent {
  QString caption;
  // The program name and release, shown in the header, as the first credits
  // line and in the status bar.
  QString programName;
  // The tall side picture; clicking it shows or hides the staff panel.
  QPixmap picture;
  // Stretched behind the header line; may be empty.
  QPixmap topPicture;
  // Lines added to the staff panel after the maker's list and one empty line.
  QStringList team;
};

// The about box: program name and release, the maker's credits and contact
// details, and the machine's physical memory. Ctrl+Alt+T or a click on the
// side picture shows or hides the staff panel, which starts hidden.
class AboutDialog : public QDialog {
  Q_OBJECT

 public:
  explicit AboutDialog(const AboutContent& content, QWidget* parent = nullptr);

  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* buildSideColumn(const AboutContent& content);
  QWidget* buildMainColumn(const AboutContent& content);
  QWidget* buildContacts();
  QWidget* buildMemoryFigures();
  void toggleStaffPanel();

  QLabel* sidePicture_ = nullptr;
  ScrollingTextPanel* staffPanel_ = nullptr;
  ScrollingTextPanel* creditsPanel_ = nullptr;
};

// The "Hakkında" command: the about box of this program, with the main
// window's caption.
void ShowAbout(QWidget* mainWindow);

}  // namespace quilor
