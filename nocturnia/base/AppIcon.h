#pragma once

#include <QString>

class QWidget;

// Gives a window, and when `owner` is true also its top-level owner, the program's icon
// group `resourceName` in every size it has. A missing icon leaves the windows' icons as
// they were.
void SetAppIcon(QWidget* window, const QString& resourceName, bool owner);
