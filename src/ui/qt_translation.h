#pragma once
// Qt's own texts (the buttons of every message box, the file and print dialogs) in the program's
// language: Qt's Chinese translation for language 0, Qt's built-in English for language 1.

namespace q36::ui {

// Puts Qt's texts into the language (0 Chinese, 1 English); dialogs made afterwards speak it.
// False when Qt's Chinese translation is not installed (qt6-translations-l10n): Qt then speaks
// English.
bool UseQtTexts(int language);

}  // namespace q36::ui
