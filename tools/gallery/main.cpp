// Shows every Datora control in each of its looks side by side: the push button normal, hot,
// focused, pressed and disabled; the drop-down and arrow images; live pickers, spins and combo
// boxes enabled and disabled, the first combo box with its list dropped down under it; and the
// calendar open on July 2003.
#include "conventions/ColourRef.h"
#include "conventions/DateSerial.h"
#include "datora/Artwork.h"
#include "datora/ButtonPainter.h"
#include "datora/CommandButton.h"
#include "datora/DesignFonts.h"
#include "datora/KiroXPComboBox.h"
#include "datora/KiroXPDTPicker.h"
#include "datora/KiroXPSpin.h"
#include "datora/LibraryContext.h"
#include "datora/MyForm.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QLocale>
#include <QTimer>
#include <QWidget>

namespace {

// A fixed day, so that every screenshot shows the same today marker.
class FixedClock final : public conv::Clock {
public:
    QDateTime now() const override { return QDateTime(QDate(2003, 7, 20), QTime(10, 0)); }
};

QLabel* picture(const QImage& image, int scale = 1) {
    auto* label = new QLabel;
    label->setPixmap(QPixmap::fromImage(image.scaled(image.size() * scale)));
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QLabel* caption(const QString& text) {
    auto* label = new QLabel(text);
    label->setFont(datora::tahoma());
    return label;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    FixedClock clock;
    conv::QtTimerSource timers;
    datora::LibraryContext context(clock, timers, conv::DateTimeConventions::system());

    QWidget window;
    window.setWindowTitle(QStringLiteral("Datora gallery"));
    QPalette background = window.palette();
    background.setColor(QPalette::Window, QColor(236, 233, 216));
    window.setPalette(background);
    window.setAutoFillBackground(true);
    auto* grid = new QGridLayout(&window);
    grid->setHorizontalSpacing(16);

    const QStringList looks{QStringLiteral("normal"), QStringLiteral("hot"),
                            QStringLiteral("focused"), QStringLiteral("pressed"),
                            QStringLiteral("disabled")};
    for (int column = 0; column < looks.size(); ++column)
        grid->addWidget(caption(looks.at(column)), 0, column + 1, Qt::AlignCenter);

    // The push button's looks, painted by the button's own painter.
    grid->addWidget(caption(QStringLiteral("CommandButton")), 1, 0);
    for (int column = 0; column < looks.size(); ++column) {
        datora::ButtonFace face;
        face.background = window.palette().color(QPalette::Base);
        face.foreColor = QColor(0, 0, 0);
        face.foreHover = QColor(0, 0, 0);
        face.caption = QStringLiteral("&Close");
        face.font = datora::tahoma();
        face.isHot = column == 1;
        face.hasFocus = column == 2;
        face.lastButton = 1;
        face.enabled = column != 4;
        grid->addWidget(picture(datora::paintButton(QSize(75, 23), face, column == 3 ? 1 : 0)), 1,
                        column + 1);
    }

    // The drop-down button of picker and combo box, and the spin arrows, three times enlarged.
    const datora::ButtonLook imageLooks[5] = {
        datora::ButtonLook::Normal, datora::ButtonLook::Hot, datora::ButtonLook::Normal,
        datora::ButtonLook::Pressed, datora::ButtonLook::Disabled};
    grid->addWidget(caption(QStringLiteral("drop-down button")), 2, 0);
    grid->addWidget(caption(QStringLiteral("spin arrows")), 3, 0);
    for (int column = 0; column < 5; ++column) {
        if (column == 2)
            continue; // the images have no focused look
        grid->addWidget(picture(datora::dropButtonImage(imageLooks[column]), 3), 2, column + 1);
        auto* arrows = new QWidget;
        auto* pair = new QVBoxLayout(arrows);
        pair->setSpacing(0);
        pair->addWidget(picture(datora::spinArrowImage(true, imageLooks[column]), 3));
        pair->addWidget(picture(datora::spinArrowImage(false, imageLooks[column]), 3));
        grid->addWidget(arrows, 3, column + 1);
    }

    // Live controls: enabled, focused and disabled.
    auto addLive = [&](int row, const QString& name, auto make) {
        grid->addWidget(caption(name), row, 0);
        for (int column : {0, 2, 4}) {
            QWidget* control = make(column);
            control->setFixedSize(control->size()); // the controls keep their design size
            grid->addWidget(control, row, column + 1, Qt::AlignCenter);
        }
    };
    addLive(4, QStringLiteral("KiroXPDTPicker"), [&](int column) {
        auto* picker = new datora::KiroXPDTPicker(context);
        picker->setControlFont(datora::tahoma());
        picker->setFormatDate(QStringLiteral("m/dd/yy"));
        picker->setValue(conv::toDateSerial(QDate(2010, 3, 11)));
        if (column == 4)
            picker->setEnabledFlag(false);
        return picker;
    });
    addLive(5, QStringLiteral("KiroXPSpin"), [&](int column) {
        auto* spin = new datora::KiroXPSpin(context);
        spin->setControlFont(datora::tahoma());
        spin->setText(QStringLiteral("2003"));
        if (column == 4)
            spin->setEnabledFlag(false);
        return spin;
    });
    datora::KiroXPComboBox* dropped = nullptr;
    addLive(6, QStringLiteral("KiroXPComboBox"), [&](int column) {
        auto* combo = new datora::KiroXPComboBox(context);
        combo->setControlFont(datora::tahoma());
        for (int month = 1; month <= 12; ++month)
            combo->AddItem(QLocale::system().standaloneMonthName(month));
        combo->setListIndex(6);
        combo->setEnabledFlag(column != 4);
        if (!dropped)
            dropped = combo;
        return combo;
    });
    addLive(7, QStringLiteral("CommandButton"), [&](int column) {
        auto* button = new datora::CommandButton(context);
        button->resize(75, 23);
        button->setCaption(QStringLiteral("&Close"));
        button->setForeColor(conv::colourRef(0, 0, 0));
        if (column == 4)
            button->setEnabledFlag(false);
        if (column == 2)
            button->setFocus();
        return button;
    });

    // The calendar open on July 2003, 13 July the starting date, 20 July today.
    grid->addWidget(caption(QStringLiteral("calendar")), 8, 0, Qt::AlignTop);
    auto* calendar = new datora::MyForm(context);
    calendar->setWindowFlags(Qt::Widget);
    calendar->InitValue = conv::toDateSerial(QDate(2003, 7, 13));
    grid->addWidget(calendar, 8, 1, 1, 3, Qt::AlignLeft);

    window.show();
    // The list as the button drops it: under the field, as wide as the control.
    QTimer::singleShot(0, dropped, [dropped] { dropped->OpenCombo(); });
    return app.exec();
}
