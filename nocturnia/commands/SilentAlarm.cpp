#include "commands/SilentAlarm.h"

#include "base/AppIcon.h"
#include "base/ScreenCentre.h"

#include <QLabel>
#include <QPlainTextEdit>

SilentAlarm::SilentAlarm(const QString& title, const QString& text)
    : QWidget(nullptr) {
    setObjectName(QStringLiteral("SilentAlarm"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(420, 280);
    // The picture first: a later sibling is drawn over an earlier one, and the text goes on it.
    auto* background = new QLabel(this);
    background->setGeometry(rect());
    background->setPixmap(QPixmap(QStringLiteral(":/pictures/notification.png")));
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

void SilentAlarm::showEvent(QShowEvent* event) {
    if (!m_centred) {
        m_centred = true;
        centreOnScreen(*this);
    }
    QWidget::showEvent(event);
}
