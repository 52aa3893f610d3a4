#pragma once

#include <QFont>
#include <QString>

namespace conv {

// Makes the faces the windows were designed with (Tahoma, MS Sans Serif) available to the
// process from metric-compatible font files where the system has them but its font
// configuration does not list them. Safe to call more than once.
void registerDesignFonts();

// A font of the design: the family when it is available, else the desktop's sans face, at
// the given point size.
QFont designFont(const QString& family, double pointSize);

} // namespace conv
