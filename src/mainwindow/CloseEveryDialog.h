#pragma once

namespace quilor {

// Closes every menu, message box and dialog of the program that is open,
// the innermost first, each with the answer that changes nothing: "Hayır"
// or "Vazgeç" where the box offers one, and a record editor without saving.
// Each modal loop ends once the caller's handler has returned.
void CloseEveryDialog();

}  // namespace quilor
