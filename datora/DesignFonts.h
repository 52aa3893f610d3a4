#pragma once

#include <QFont>
#include <QString>

namespace datora {

// The faces the controls were designed with (Tahoma, MS Sans Serif), from the metric-compatible
// fonts installed with Wine when the system has them, else the desktop's sans face.
void registerDesignFonts();
QFont designFont(const QString& family, double pointSize, bool bold = false);
QFont tahoma(bool bold = false);      // 8.25 pt
QFont msSansSerif(bool bold = false); // 8.25 pt

} // namespace datora
