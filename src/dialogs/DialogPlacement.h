#pragma once

class QWidget;

// Where the program's dialogs appear.
namespace DialogPlacement {

// Moves the window so that its centre lies on the centre of the anchor window.
void centreOn(QWidget* window, const QWidget* anchor);

// Moves the window to the centre of the screen it is on.
void centreOnScreen(QWidget* window);

} // namespace DialogPlacement
