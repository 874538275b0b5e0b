#include "ScriptHelpDialog.h"

#include <QAction>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QVBoxLayout>

#include "EditorTexts.h"
#include "HeaderLabel.h"
#include "ScriptItems.h"

namespace quilor {

ScriptHelpDialog* ScriptHelpDialog::instance_ = nullptr;

ScriptHelpDialog::ScriptHelpDialog(const QString& caption, QWidget* parent) : QDialog(parent) {
  instance_ = this;
  setObjectName(QStringLiteral("scriptHelpDialog"));
  setWindowTitle(caption);
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

  text_ = new QPlainTextEdit(this);
  text_->setObjectName(QStringLiteral("helpText"));
  // Fixed pitch, so that the key list's columns line up.
  text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  text_->setLineWrapMode(QPlainTextEdit::NoWrap);
  text_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  text_->setPlainText(ScriptHelpLines().join('\n'));

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(MakeHeaderLabel(editor_texts::kScriptHelpHeader, this));
  layout->addWidget(text_, 1);

  auto* close = new QAction(editor_texts::kClose, this);
  close->setObjectName(QStringLiteral("closeAction"));
  close->setShortcut(Qt::Key_Escape);
  connect(close, &QAction::triggered, this, &QDialog::reject);
  addAction(close);

  setFixedSize(700, 500);
}

ScriptHelpDialog::~ScriptHelpDialog() {
  if (instance_ == this) instance_ = nullptr;
}

void ScriptHelpDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  move(screen()->availableGeometry().center() - rect().center());
}

}  // namespace quilor
