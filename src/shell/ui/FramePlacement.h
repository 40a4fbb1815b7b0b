#pragma once

#include <QSize>

#include "shell/WindowPlacement.h"

class QMainWindow;

// Shows the window where the placement says, fitted onto the screen that shows most of
// it; false, showing nothing, when it fits on none.
bool showAtPlacement(QMainWindow& window, const WindowPlacement& placement);
// Shows the window centred on the primary screen, at the designed first size scaled to
// its font, or its size hint and `grown` (what its contents ask for beyond the hint) where
// that is more; never larger than the screen's free area nor off it.
void showCentred(QMainWindow& window, QSize grown = {});
// Where the window is and how it is shown, to be stored.
[[nodiscard]] WindowPlacement placementOf(const QMainWindow& window);
