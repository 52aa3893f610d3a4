#include "commands/AlarmStop.h"

#include "base/AlarmPlayer.h"
#include "base/ClickableLabel.h"
#include "commands/PictureWindow.h"
#include "controls/utimerCTL.h"

#include <QCloseEvent>
#include <QLabel>

namespace {

ClickableLabel* buttonLabel(const QString& caption, QWidget* window, const char* name, int top) {
    auto* label = new ClickableLabel(caption, window);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(0, top, window->width(), 26);
    label->setAlignment(Qt::AlignCenter);
    label->setCursor(Qt::PointingHandCursor);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    QPalette white = label->palette();
    white.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(white);
    return label;
}

} // namespace

AlarmStop::AlarmStop(AlarmPlayer& player, nocturnia::utimerCTL& snooze, const QString& scheduleTime)
    : QWidget(nullptr)
    , m_player(player)
    , m_snooze(snooze) {
    makePictureWindow(*this, QStringLiteral("AlarmStop"), QSize(320, 150),
                      QStringLiteral(":/pictures/alarmstop.png"));
    Label1 = buttonLabel(QStringLiteral("Dismiss Alarm"), this, "Label1", 94);
    Label2 = buttonLabel(QStringLiteral("Snooze"), this, "Label2", 122);
    connect(Label1, &ClickableLabel::clicked, this, &AlarmStop::Label1_Click);
    connect(Label2, &ClickableLabel::clicked, this, &AlarmStop::Label2_Click);

    setWindowTitle(QStringLiteral("Nocturnia: ") + scheduleTime +
                   QStringLiteral(" Alarm Ringing..."));
}

void AlarmStop::Label1_Click() {
    m_player.stop();
    close();
}

void AlarmStop::Label2_Click() {
    m_player.stop();
    // Already counting: the count runs on, so the alarm sounds when the first one ends.
    m_snooze.setEnabled(true);
    close();
}

void AlarmStop::closeEvent(QCloseEvent* event) {
    m_player.stop();
    event->accept();
}
