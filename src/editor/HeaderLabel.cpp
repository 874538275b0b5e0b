#include "HeaderLabel.h"

namespace quilor {

QLabel* MakeHeaderLabel(const QString& caption, QWidget* parent) {
  auto* header = new QLabel(caption, parent);
  header->setObjectName(QStringLiteral("header"));
  QFont font = header->font();
  font.setBold(true);
  font.setPointSizeF(font.pointSizeF() * 1.25);
  header->setFont(font);
  header->setContentsMargins(4, 6, 4, 6);
  header->setAutoFillBackground(true);
  header->setBackgroundRole(QPalette::Midlight);
  return header;
}

}  // namespace quilor
