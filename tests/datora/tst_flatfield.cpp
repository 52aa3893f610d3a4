// The text field the flat controls (date picker, spin, combo box) share, as it is painted:
// white inside the white control also when disabled, and a text longer than the field shown
// from its beginning whenever nobody is typing in it.
#include "datora/KiroXPComboBox.h"
#include "datora/KiroXPDTPicker.h"
#include "datora/KiroXPSpin.h"
#include "datora/LibraryContext.h"
#include "support/ManualTime.h"

#include <QLineEdit>
#include <QTest>
#include <functional>

namespace {

using Make = std::function<datora::FlatTextControl*(datora::LibraryContext&, QWidget*)>;

Make picker() {
    return [](datora::LibraryContext& context, QWidget* parent) {
        return new datora::KiroXPDTPicker(context, parent);
    };
}
Make spin() {
    return [](datora::LibraryContext& context, QWidget* parent) {
        return new datora::KiroXPSpin(context, parent);
    };
}
Make combo() {
    return [](datora::LibraryContext& context, QWidget* parent) {
        auto* made = new datora::KiroXPComboBox(context, parent);
        made->setEnabledFlag(true);
        return made;
    };
}

// The dark pixels of the field as the control paints it.
int inkInField(datora::FlatTextControl& control) {
    const QImage image = control.grab().toImage();
    const QRect field(control.textField()->mapTo(&control, QPoint(0, 0)),
                      control.textField()->size());
    int ink = 0;
    for (int y = field.top(); y <= field.bottom(); ++y)
        for (int x = field.left(); x <= field.right(); ++x)
            ink += qGray(image.pixel(x, y)) < 128;
    return ink;
}

} // namespace

Q_DECLARE_METATYPE(Make)

class TestFlatField : public QObject {
    Q_OBJECT

    ManualTime m_time;
    std::unique_ptr<datora::LibraryContext> m_context;

    static void controls() {
        QTest::addColumn<Make>("make");
        QTest::newRow("date picker") << picker();
        QTest::newRow("spin") << spin();
        QTest::newRow("combo box") << combo();
    }

private Q_SLOTS:
    void init() { m_context = std::make_unique<datora::LibraryContext>(m_time, m_time); }

    void disabledFieldStaysWhite_data() { controls(); }
    void disabledFieldStaysWhite() {
        QFETCH(Make, make);
        QWidget window;
        datora::FlatTextControl* control = make(*m_context, &window);
        control->setText(QStringLiteral("1"));
        control->setEnabledFlag(false);
        window.show();
        const QImage image = control->grab().toImage();
        const QLineEdit* field = control->textField();
        // The right end of the field, past the text.
        const QPoint blank = field->mapTo(control, QPoint(field->width() - 3, field->height() / 2));
        QCOMPARE(image.pixelColor(blank), QColor(Qt::white));
    }

    void longTextShowsItsBeginning_data() {
        QTest::addColumn<Make>("make");
        QTest::addColumn<bool>("typed");
        QTest::newRow("date picker, written") << picker() << false;
        QTest::newRow("spin, written") << spin() << false;
        QTest::newRow("combo box, written") << combo() << false;
        QTest::newRow("date picker, typed, then left") << picker() << true;
    }
    void longTextShowsItsBeginning() {
        QFETCH(Make, make);
        QFETCH(bool, typed);
        QWidget window;
        datora::FlatTextControl* control = make(*m_context, &window);
        auto* elsewhere = new QLineEdit(&window);
        elsewhere->move(0, 40);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));

        // Dots fill the field with little ink; the heavy letters at the start fill it with much.
        control->setText(QString(60, QLatin1Char('.')));
        const int dots = inkInField(*control);
        const QString text = QString(20, QLatin1Char('W')) + QString(60, QLatin1Char('.'));
        if (typed) {
            control->textField()->setFocus();
            control->textField()->clear();
            QTest::keyClicks(control->textField(), text);
            QVERIFY(inkInField(*control) < 2 * dots); // while typing, the caret's end shows
            elsewhere->setFocus();
        } else {
            control->setText(text);
        }
        QCOMPARE(control->text(), text);
        const int ink = inkInField(*control);
        QVERIFY2(ink > 2 * dots,
                 qPrintable(QStringLiteral("%1 dark pixels, dots alone %2").arg(ink).arg(dots)));
    }
};

QTEST_MAIN(TestFlatField)
#include "tst_flatfield.moc"
