#pragma once

#include <QString>

class QWidget;

namespace quilor {

// A new master password rated "Çok zayıf" or "Zayıf" is asked about once:
// true when it is stronger, or when the user takes it anyway. The question
// starts on "Hayır", so a hasty Enter keeps the user choosing.
bool NewMasterPasswordAccepted(QWidget* parent, const QString& typed);

}  // namespace quilor
