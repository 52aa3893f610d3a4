#include "schedule/ScheduleDetails.h"

#include <QGroupBox>
#include <QLabel>

namespace {

QLabel* label(const QString& text, QWidget* parent, int x, int y) {
    auto* l = new QLabel(text, parent);
    l->move(x, y);
    l->adjustSize();
    return l;
}

} // namespace

ScheduleDetails::ScheduleDetails(QGroupBox& Frame11, QGroupBox& Frame13) {
    const int valueX = 88;
    label(QStringLiteral("Current Date:"), &Frame11, 10, 24);
    Label7 = label(QStringLiteral("00/00/0000"), &Frame11, valueX, 24);
    label(QStringLiteral("Current Time:"), &Frame11, 10, 48);
    Label1 = label(QStringLiteral("00:00:00 AM"), &Frame11, valueX, 48);
    Label17 = label(QStringLiteral("Schedule Date:"), &Frame11, 10, 88);
    Label15 = label(QStringLiteral("00/00/00"), &Frame11, valueX, 88);
    Label18 = label(QStringLiteral("Schedule Time:"), &Frame11, 10, 112);
    Label4 = label(QStringLiteral("12:00:00 AM"), &Frame11, valueX, 112);
    for (QLabel* value : {Label7, Label1, Label15, Label4})
        value->setFixedWidth(Frame11.width() - valueX - 6);

    Label35 = new QLabel(QStringLiteral("This schedule point has been reached!"), &Frame13);
    Label35->setGeometry(10, 18, Frame13.width() - 20, 18);

    // Opaque, so each second's new text repaints the label alone, not the box and the window
    // behind it: the box's frame and title cost more to draw than the text.
    for (QLabel* changing : {Label7, Label1, Label15, Label4, Label35})
        changing->setAutoFillBackground(true);
}
