#pragma once

#include <QString>

// What the user reads when the desktop cannot do what was asked of it.
namespace quilor::platform_texts {

inline const QString kNoBrowser =
    QStringLiteral("Web adresi açılamadı: sistemde varsayılan bir tarayıcı bulunamadı.");

}  // namespace quilor::platform_texts
