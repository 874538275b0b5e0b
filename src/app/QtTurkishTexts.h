#pragma once

class QCoreApplication;

namespace quilor {

// Makes Qt's own texts (message-box buttons, the text boxes' context menus)
// Turkish whatever the user's locale, as the rest of the program is. False
// when Qt's Turkish translation is not installed; Qt's texts then stay English.
bool InstallQtTurkishTexts(QCoreApplication& app);

}  // namespace quilor
