#pragma once

class QWidget;

// Moves a top-level window to the middle of the available area of its screen, frame included.
void centreOnScreen(QWidget& window);

// Centres the window on its first showing, when its size is known; later showings leave it
// where it was.
void centreOnFirstShow(QWidget& window);
