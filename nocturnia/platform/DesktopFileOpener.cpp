#include "platform/DesktopFileOpener.h"

#include <QDesktopServices>
#include <QLoggingCategory>
#include <QUrl>

Q_LOGGING_CATEGORY(lcOpener, "nocturnia.opener")

void DesktopFileOpener::open(const QString& path) {
    if (path.isEmpty())
        return;
    // A path is a file; "scheme:..." with a scheme longer than a drive letter is a document
    // address the desktop knows how to open.
    const QUrl asUrl(path, QUrl::StrictMode);
    const QUrl url =
        asUrl.isValid() && asUrl.scheme().size() > 1 ? asUrl : QUrl::fromLocalFile(path);
    if (!QDesktopServices::openUrl(url))
        qCInfo(lcOpener) << "the desktop did not open" << path;
}
