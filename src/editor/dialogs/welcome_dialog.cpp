#include "editor/dialogs/welcome_dialog.h"

namespace banmen {

// Nothing to show yet.
void showWelcome(QWidget*, bool) {}

}  // namespace banmen
