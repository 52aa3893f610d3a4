#pragma once

class QWidget;

// Moves a top-level window to the middle of the available area of its screen, frame included.
// Windows call it on their first showing, when their size is known.
void centreOnScreen(QWidget& window);
