#include "DesignFonts.h"

#include <QFile>
#include <QFontDatabase>

namespace conv {

namespace {
// Debian's fonts-wine installs its faces here without registering them.
const char* const kFontFiles[] = {
    "/usr/share/wine/fonts/tahoma.ttf",
    "/usr/share/wine/fonts/tahomabd.ttf",
    "/usr/share/wine/fonts/ms_sans_serif.ttf",
};
} // namespace

void registerDesignFonts() {
    static bool registered = false; // the font database is per process too
    if (registered)
        return;
    registered = true;
    for (const char* path : kFontFiles) {
        const QString file = QString::fromLatin1(path);
        if (QFile::exists(file))
            QFontDatabase::addApplicationFont(file);
    }
}

QFont designFont(const QString& family, double pointSize) {
    registerDesignFonts();
    QFont font = QFontDatabase::hasFamily(family)
                     ? QFont(family)
                     : QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPointSizeF(pointSize);
    return font;
}

} // namespace conv
