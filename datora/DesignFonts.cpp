#include "DesignFonts.h"

#include "conventions/DesignFonts.h"

namespace datora {

void registerDesignFonts() {
    conv::registerDesignFonts();
}

QFont designFont(const QString& family, double pointSize, bool bold) {
    QFont font = conv::designFont(family, pointSize);
    font.setBold(bold);
    return font;
}

QFont tahoma(bool bold) {
    return designFont(QStringLiteral("Tahoma"), 8.25, bold);
}

QFont msSansSerif(bool bold) {
    return designFont(QStringLiteral("MS Sans Serif"), 8.25, bold);
}

} // namespace datora
