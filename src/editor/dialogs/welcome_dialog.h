#pragma once
// The welcome box: shown at start-up unless "startup.ini" says "NoWelcome",
// and always when the user asks for it from the Help menu.

class QWidget;

namespace banmen {

// `requested`: opened by the user (the Help menu), not at start-up.
void showWelcome(QWidget* parent, bool requested);

}  // namespace banmen
