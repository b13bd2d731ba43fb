#pragma once
// Placing top-level windows.

#include <QWidget>

namespace q36::ui {

// Moves the window so that it sits in the middle of the screen it is on (the primary screen
// before it is first shown).
void CentreOnScreen(QWidget& window);

}  // namespace q36::ui
