// A login form that reports what reached it: two fields and every key press
// in order, written to a report file after each change. The tests type into
// it from outside and read the report back.
//   autofill_key_target <window title> <report file> [--extras]
// A line "reset" on stdin empties the form and the log; the report counts
// the resets, so a reader can tell one has been done. With --extras the
// program also shows the windows a window list must leave out or keep: a
// dialog owned by the form, a utility window and a minimised window.
#include <unistd.h>

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QFormLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <functional>

namespace {

class Report {
 public:
  explicit Report(QString path) : path_(std::move(path)) {}

  void write(const QString& first, const QString& second, const QString& keys, int resets) const {
    // Cheap enough to keep up with fast typing; readers poll until the
    // text they wait for is there.
    QFile file(path_);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return;
    file.write(("first=" + first + "\nsecond=" + second + "\nkeys=" + keys +
                "\nresets=" + QString::number(resets) + "\n")
                   .toUtf8());
  }

 private:
  QString path_;
};

QString DescribeKey(const QKeyEvent& event) {
  switch (event.key()) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
      return {};
    default:
      break;
  }
  const Qt::KeyboardModifiers chord = event.modifiers() & (Qt::ControlModifier | Qt::AltModifier);
  if (chord != Qt::NoModifier) {
    return "<" + QKeySequence(event.keyCombination()).toString() + ">";
  }
  switch (event.key()) {
    case Qt::Key_Tab:
      return "<Tab>";
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return "<Return>";
    case Qt::Key_Backspace:
      return "<Backspace>";
    default:
      break;
  }
  const QString text = event.text();
  if (!text.isEmpty() && text.front().isPrint()) return text;
  return {};
}

// A line edit that logs each key press before it handles it; event() sees
// Tab too, which moves the focus before keyPressEvent would run.
class LoggingLineEdit : public QLineEdit {
 public:
  LoggingLineEdit(QString* log, std::function<void()> changed)
      : log_(log), changed_(std::move(changed)) {}

 protected:
  bool event(QEvent* e) override {
    if (e->type() == QEvent::KeyPress) *log_ += DescribeKey(*static_cast<QKeyEvent*>(e));
    const bool handled = QLineEdit::event(e);
    if (e->type() == QEvent::KeyPress) changed_();
    return handled;
  }

 private:
  QString* log_;
  std::function<void()> changed_;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const bool extras = argc == 4 && QByteArray(argv[3]) == "--extras";
  if (argc != 3 && !extras) {
    std::fprintf(stderr, "usage: %s <title> <report file> [--extras]\n", argv[0]);
    return 64;
  }
  const Report report(QString::fromLocal8Bit(argv[2]));
  QString log;
  QWidget window;
  window.setWindowTitle(QString::fromUtf8(argv[1]));
  LoggingLineEdit* first = nullptr;
  LoggingLineEdit* second = nullptr;
  int resets = 0;
  // One write once the pending events are handled, not one per key: the
  // form should spend its time on the keys, as a real program does.
  bool writePending = false;
  auto changed = [&] {
    if (writePending) return;
    writePending = true;
    QTimer::singleShot(0, [&] {
      writePending = false;
      report.write(first->text(), second->text(), log, resets);
    });
  };
  first = new LoggingLineEdit(&log, changed);
  second = new LoggingLineEdit(&log, changed);
  auto* form = new QFormLayout(&window);
  form->addRow("first", first);
  form->addRow("second", second);
  window.resize(400, 120);
  window.show();
  first->setFocus();

  QDialog owned(&window);
  QWidget utility(nullptr, Qt::Tool);
  QWidget minimised;
  if (extras) {
    owned.setWindowTitle("Sahipli İletişim");
    owned.show();
    utility.setWindowTitle("Araç Kutusu");
    utility.show();
    minimised.setWindowTitle("Simge Durumunda");
    minimised.showMinimized();
  }
  changed();

  QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
  QObject::connect(&input, &QSocketNotifier::activated, [&] {
    char line[64] = {};
    const ssize_t n = read(STDIN_FILENO, line, sizeof line - 1);
    if (n <= 0) {
      input.setEnabled(false);  // no one to ask for resets: the form stays as it is
      return;
    }
    first->clear();
    second->clear();
    log.clear();
    ++resets;
    first->setFocus();
    changed();
  });
  return app.exec();
}
