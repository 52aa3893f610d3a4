#include "commands/SilentAlarm.h"

#include "base/AppIcon.h"
#include "commands/PictureWindow.h"

#include <QPlainTextEdit>

SilentAlarm::SilentAlarm(const QString& title, const QString& text)
    : QWidget(nullptr) {
    // The picture first: the text goes on it.
    makePictureWindow(*this, QStringLiteral("SilentAlarm"), QSize(420, 280),
                      QStringLiteral(":/pictures/notification.png"));
    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(20, 60, 380, 200);
    Text1->setReadOnly(true);
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    // The load: icon, caption, text. Texts are taken as they are; only empty ones are
    // replaced.
    SetAppIcon(this, QStringLiteral("AAA"), true);
    setWindowTitle(title.isEmpty() ? QStringLiteral("Nocturnia Veloxa Notification Display")
                                   : title);
    Text1->setPlainText(text.isEmpty() ? QStringLiteral("No Notification To Display") : text);
}
