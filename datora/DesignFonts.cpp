#include "DesignFonts.h"

#include <QDir>
#include <QFontDatabase>
#include <QGuiApplication>

namespace datora {

void registerDesignFonts() {
    // The faces are known to the application's font database once registered; registering
    // them again is cheap and harmless, so every library context may ask.
    if (QFontDatabase::hasFamily(QStringLiteral("Tahoma")) &&
        QFontDatabase::hasFamily(QStringLiteral("MS Sans Serif")))
        return;
    const QDir wineFonts(QStringLiteral("/usr/share/wine/fonts"));
    for (const char* file : {"tahoma.ttf", "tahomabd.ttf", "ms_sans_serif.ttf"}) {
        const QString path = wineFonts.filePath(QLatin1String(file));
        if (QFile::exists(path))
            QFontDatabase::addApplicationFont(path);
    }
}

QFont designFont(const QString& family, double pointSize, bool bold) {
    QFont font(QFontDatabase::hasFamily(family)
                   ? family
                   : QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
    font.setPointSizeF(pointSize);
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
