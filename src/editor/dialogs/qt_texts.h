#pragma once
// The texts of Qt's own dialogs and buttons (file dialogs, message box
// buttons, the colour chooser) in Japanese, as the rest of the program is,
// whatever the user's locale. From Qt's translations (Debian package
// qt6-translations-l10n); without them the texts stay in English.

class QCoreApplication;

namespace banmen {

// True when the translations were found and installed.
bool installJapaneseQtTexts(QCoreApplication& application);

}  // namespace banmen
