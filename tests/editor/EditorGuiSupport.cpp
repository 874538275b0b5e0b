#include "EditorGuiSupport.h"

#include <QProcess>
#include <QTest>

namespace quilor::editor_test {

bool WaitUntilActive(QWidget* window) {
  return QTest::qWaitFor([window] { return QApplication::activeWindow() == window; }, 5000);
}

void Screenshot(const QString& name) {
  const QString folder = qEnvironmentVariable("QUILOR_SCREENSHOTS");
  if (folder.isEmpty()) return;
  QTest::qWait(300);  // let the window manager draw the frames
  QProcess::execute(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"),
                                               folder + '/' + name + QStringLiteral(".png")});
}

}  // namespace quilor::editor_test
