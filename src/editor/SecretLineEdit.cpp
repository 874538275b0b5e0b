#include "SecretLineEdit.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

#include "OneLineBox.h"

namespace quilor {

namespace {

bool GivesTextAway(const QKeyEvent* key) {
  return key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Cut);
}

}  // namespace

SecretLineEdit::SecretLineEdit(QWidget* parent) : QLineEdit(parent) {
  setDragEnabled(false);
  setStyleSheet(QStringLiteral("lineedit-password-character: 42"));  // '*'
  setMasked(true);
  KeepOnOneLine(this);
}

void SecretLineEdit::setMasked(bool masked) {
  setEchoMode(masked ? QLineEdit::Password : QLineEdit::Normal);
}

bool SecretLineEdit::event(QEvent* event) {
  // Claim the copy and cut keys before any shortcut sees them, then drop them.
  if (event->type() == QEvent::ShortcutOverride && GivesTextAway(static_cast<QKeyEvent*>(event))) {
    event->accept();
    return true;
  }
  const bool handled = QLineEdit::event(event);
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
      dropPrimarySelection();
      break;
    default:
      break;
  }
  return handled;
}

void SecretLineEdit::keyPressEvent(QKeyEvent* event) {
  if (GivesTextAway(event)) {
    event->accept();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

void SecretLineEdit::contextMenuEvent(QContextMenuEvent* event) {
  QMenu* menu = createStandardContextMenu();
  // The standard menu names its items by their (translated) captions only.
  const QString copy = QLineEdit::tr("&Copy");
  const QString cut = QLineEdit::tr("Cu&t");
  for (QAction* action : menu->actions()) {
    const QString caption = action->text().section('\t', 0, 0);
    if (caption == copy || caption == cut) menu->removeAction(action);
  }
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(event->globalPos());
}

// On X11 a selection made in a shown box becomes the primary selection,
// which a middle click pastes anywhere; the box takes it back at once.
void SecretLineEdit::dropPrimarySelection() {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (clipboard->supportsSelection() && clipboard->ownsSelection() && hasSelectedText()) {
    clipboard->clear(QClipboard::Selection);
  }
}

}  // namespace quilor
