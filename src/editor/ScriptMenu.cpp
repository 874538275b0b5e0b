#include "ScriptMenu.h"

#include <QFrame>
#include <QGridLayout>
#include <QToolButton>
#include <QWidgetAction>

#include "ScriptItems.h"

namespace quilor {

namespace {

// An entry that looks like a menu item: flat, full width, text on the left,
// the caption exactly as written (no accelerator is made from it).
QToolButton* MakeEntryButton(QAction* entry, QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setDefaultAction(entry);
  button->setAutoRaise(true);
  button->setToolButtonStyle(Qt::ToolButtonTextOnly);
  button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  button->setStyleSheet(QStringLiteral("QToolButton { text-align: left; padding: 2px 12px; }"));
  return button;
}

QFrame* MakeSeparatorLine(QWidget* parent) {
  auto* line = new QFrame(parent);
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  return line;
}

}  // namespace

int ScriptMenu::columnOf(int entryIndex) { return entryIndex < kScriptMenuFirstColumnSize ? 0 : 1; }

ScriptMenu::ScriptMenu(QWidget* parent) : QMenu(parent) {
  setObjectName(QStringLiteral("scriptMenu"));
  auto* grid = new QWidget(this);
  auto* layout = new QGridLayout(grid);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->setHorizontalSpacing(8);
  layout->setVerticalSpacing(0);

  const auto& captions = ScriptMenuCaptions();
  for (int i = 0; i < kScriptMenuEntryCount; ++i) {
    const QString& caption = captions[i];
    auto* entry = new QAction(caption, this);
    const int column = columnOf(i);
    const int row = column == 0 ? i : i - kScriptMenuFirstColumnSize;
    if (IsScriptMenuSeparator(caption)) {
      entry->setSeparator(true);
      layout->addWidget(MakeSeparatorLine(grid), row, column);
    } else {
      connect(entry, &QAction::triggered, this, [this, caption] {
        close();
        emit itemChosen(caption);
      });
      layout->addWidget(MakeEntryButton(entry, grid), row, column);
    }
    entries_ << entry;
  }
  layout->setRowStretch(kScriptMenuFirstColumnSize, 1);

  auto* holder = new QWidgetAction(this);
  holder->setDefaultWidget(grid);
  addAction(holder);
}

}  // namespace quilor
