#include "base/AppIcon.h"

#include <QDir>
#include <QIcon>
#include <QWidget>

void SetAppIcon(QWidget* window, const QString& resourceName, bool owner) {
    if (!window)
        return;
    QIcon icon;
    const QDir group(QStringLiteral(":/icons/") + resourceName);
    for (const QString& file : group.entryList({QStringLiteral("*.png")}, QDir::Files))
        icon.addFile(group.filePath(file));
    if (icon.isNull())
        return;
    if (owner) {
        QWidget* topLevel = window;
        while (topLevel->parentWidget())
            topLevel = topLevel->parentWidget();
        if (topLevel != window)
            topLevel->setWindowIcon(icon);
    }
    window->setWindowIcon(icon);
}
