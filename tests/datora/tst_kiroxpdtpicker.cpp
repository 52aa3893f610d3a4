// The date picker: value, text and pattern, layout, the enabled looks, the calendar's placement
// and the opening sequence driven through the modal seam.
#include "conventions/DateSerial.h"
#include "conventions/Twips.h"
#include "datora/CalendarPlacement.h"
#include "datora/CommandButton.h"
#include "datora/ImageBox.h"
#include "datora/KiroXPDTPicker.h"
#include "datora/LbDate.h"
#include "datora/LibraryContext.h"
#include "datora/MyForm.h"
#include "support/ManualTime.h"

#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

using datora::KiroXPDTPicker;

class TestKiroXPDTPicker : public QObject {
    Q_OBJECT

    ManualTime m_time{QDateTime(QDate(2026, 12, 9), QTime(12, 0))};
    std::unique_ptr<datora::LibraryContext> m_context;
    std::function<void(datora::MyForm&)> m_whileOpen;
    int m_openings = 0;

private Q_SLOTS:
    void init() {
        m_context = std::make_unique<datora::LibraryContext>(
            m_time, m_time, conv::DateTimeConventions::usEnglish());
        m_context->setEventPump([] {});
        m_context->setScreenGeometry([](const QWidget*) { return QRect(0, 0, 1024, 768); });
        m_openings = 0;
        m_whileOpen = nullptr;
        m_context->setModalRunner([this](QDialog& window) {
            ++m_openings;
            window.show();
            if (m_whileOpen)
                m_whileOpen(static_cast<datora::MyForm&>(window));
            window.hide();
        });
    }

    void newControlShowsToday() {
        KiroXPDTPicker picker(*m_context);
        QSignalSpy changes(&picker, &KiroXPDTPicker::Change);
        picker.initNewControl(conv::AmbientProperties());
        QCOMPARE(picker.value(), conv::toDateSerial(QDate(2026, 12, 9)));
        QCOMPARE(picker.text(), QStringLiteral("2026/12/09"));
        QCOMPARE(changes.count(), 1);
    }

    void valueTextAndPattern() {
        KiroXPDTPicker picker(*m_context);
        QSignalSpy changes(&picker, &KiroXPDTPicker::Change);
        QSignalSpy reported(&picker, &KiroXPDTPicker::propertyChanged);
        picker.setValue(40248);
        QCOMPARE(picker.text(), QStringLiteral("2010/03/11"));
        picker.setFormatDate(QStringLiteral("m/dd/yy"));
        QCOMPARE(picker.text(), QStringLiteral("3/11/10"));
        QCOMPARE(changes.count(), 2);
        QCOMPARE(reported.last().at(0).toString(), QStringLiteral("FormatDate"));

        picker.setText(QStringLiteral("12/9/2026"));
        QCOMPARE(picker.value(), 40248);
        QCOMPARE(changes.count(), 3);
        picker.setValue(40249);
        QCOMPARE(picker.text(), QStringLiteral("3/12/10"));

        // Typed text is never read back into the value.
        picker.textField()->clear();
        changes.clear();
        QTest::keyClicks(picker.textField(), QStringLiteral("1/2/03"));
        QCOMPARE(changes.count(), 6);
        QCOMPARE(picker.value(), 40249);
    }

    void layoutKeepsItsHeightAndMinimumWidth() {
        KiroXPDTPicker picker(*m_context);
        picker.show(); // a hidden widget hears of its size when shown
        picker.resize(conv::twipsToPixels(200), 80);
        QCOMPARE(picker.size(), QSize(conv::twipsToPixels(400), conv::twipsToPixels(315)));
        picker.resize(150, 40);
        QCOMPARE(picker.size(), QSize(150, 21));
        QCOMPARE(picker.dropButton()->x(), conv::twipsToPixels(150 * 15 - 285));
        QCOMPARE(picker.textField()->width(), conv::twipsToPixels(150 * 15 - 375));
    }

    void fontSizeRuleAndTextTop_data() {
        QTest::addColumn<double>("size");
        QTest::addColumn<double>("kept");
        QTest::addColumn<int>("top");
        QTest::newRow("8.25") << 8.25 << 8.25 << 4;
        QTest::newRow("10") << 10.0 << 10.0 << 2;
        QTest::newRow("12 capped at 10") << 12.0 << 10.0 << 2;
        QTest::newRow("7 kept") << 7.0 << 7.0 << 4;
    }
    void fontSizeRuleAndTextTop() {
        QFETCH(double, size);
        QFETCH(double, kept);
        QFETCH(int, top);
        KiroXPDTPicker picker(*m_context);
        QFont font = picker.controlFont();
        font.setPointSizeF(size);
        picker.setControlFont(font);
        QCOMPARE(picker.controlFont().pointSizeF(), kept);
        QCOMPARE(picker.textField()->y(), top);
    }

    void enabledWriteAndLoad() {
        KiroXPDTPicker picker(*m_context);
        picker.setEnabledFlag(false);
        QCOMPARE(picker.dropButton()->pictureIndex(), int(KiroXPDTPicker::Disabled));
        QCOMPARE(picker.outlineColour(), QColor(192, 192, 192));
        picker.openCalendar();
        QCOMPARE(m_openings, 0);
        picker.setEnabledFlag(true);
        QCOMPARE(picker.dropButton()->pictureIndex(), int(KiroXPDTPicker::Normal));
        QCOMPARE(picker.outlineColour(), QColor(127, 157, 185));

        KiroXPDTPicker loaded(*m_context);
        conv::PropertyBag bag;
        bag.write(QStringLiteral("Enabled"), false);
        loaded.readProperties(bag, conv::AmbientProperties());
        QVERIFY(!loaded.enabledFlag());
        QCOMPARE(loaded.dropButton()->pictureIndex(), int(KiroXPDTPicker::Normal));
        QCOMPARE(loaded.outlineColour(), QColor(127, 157, 185));
        conv::PropertyBag saved;
        loaded.writeProperties(saved, conv::AmbientProperties());
        QCOMPARE(saved.entries().at(0).key, QStringLiteral("Enabled"));
    }

    void loadingShowsTheStoredText() {
        KiroXPDTPicker picker(*m_context);
        conv::PropertyBag bag;
        bag.write(QStringLiteral("Text"), QStringLiteral("3/11/16"));
        bag.write(QStringLiteral("Value"), qint32(40248));
        bag.write(QStringLiteral("FormatDate"), QStringLiteral("m/dd/yy"));
        QSignalSpy reported(&picker, &KiroXPDTPicker::propertyChanged);
        picker.readProperties(bag, conv::AmbientProperties());
        QCOMPARE(picker.text(), QStringLiteral("3/11/16"));
        QCOMPARE(picker.value(), 40248);
        QCOMPARE(reported.count(), 0);
        // A new picker's stored value 0 goes as the 16-bit default: not written.
        KiroXPDTPicker fresh(*m_context);
        conv::PropertyBag saved;
        fresh.writeProperties(saved, conv::AmbientProperties());
        QVERIFY(!saved.contains(QStringLiteral("Value")));
        QVERIFY(saved.contains(QStringLiteral("Text"))); // "0" is not the default "Text1"
    }

    void placement_data() {
        QTest::addColumn<QPoint>("button");
        QTest::addColumn<QPoint>("expected");
        // Screen 1024 x 768 pixels: 15360 x 11520 twips.
        QTest::newRow("below, left aligned") << QPoint(100, 100) << QPoint(1500 - 840, 1800);
        QTest::newRow("just enough room below") << QPoint(100, 548) << QPoint(660, 548 * 15 + 300);
        QTest::newRow("too little room below")
            << QPoint(100, 549) << QPoint(660, 549 * 15 + 300 - 2835 - 30 - 315);
        QTest::newRow("too little room right")
            << QPoint(1000, 100) << QPoint(255 + 15000 + 45 - 2760, 1800);
        QTest::newRow("bottom right corner")
            << QPoint(1000, 740) << QPoint(12540, 740 * 15 + 300 - 3180);
    }
    void placement() {
        QFETCH(QPoint, button);
        QFETCH(QPoint, expected);
        datora::PlacementInput input;
        input.buttonScreenPixels = button;
        input.screenPixels = QSize(1024, 768);
        QCOMPARE(datora::calendarPosition(input), expected);
    }

    void clickedDayBecomesTheValue() {
        KiroXPDTPicker picker(*m_context);
        picker.setFormatDate(QStringLiteral("m/dd/yy"));
        picker.setValue(40248); // 11 March 2010
        QSignalSpy changes(&picker, &KiroXPDTPicker::Change);
        qint32 opened = 0;
        m_whileOpen = [&](datora::MyForm& calendar) {
            opened = calendar.InitValue;
            QCOMPARE(calendar.size(), QSize(183, 189));
            // Cell 0 of March 2010 is 28 February; cell 20 is 20 March.
            QTest::mouseClick(calendar.cell(20)->dayLabel(), Qt::LeftButton);
        };
        QTest::mousePress(picker.dropButton(), Qt::LeftButton);
        QCOMPARE(m_openings, 1);
        QCOMPARE(opened, 40248);
        QCOMPARE(picker.value(), conv::toDateSerial(QDate(2010, 3, 20)));
        QCOMPARE(picker.text(), QStringLiteral("3/20/10"));
        QCOMPARE(picker.dropButton()->pictureIndex(), int(KiroXPDTPicker::Normal));
        QCOMPARE(changes.count(), 1);
        // The closed calendar is gone; the release of the opening press opens nothing.
        QCOMPARE(m_context->existingCalendar(), nullptr);
        QTest::mouseRelease(picker.dropButton(), Qt::LeftButton);
        QCOMPARE(m_openings, 1);
    }

    void closeKeepsTheValueAndZeroOpensOnToday() {
        KiroXPDTPicker picker(*m_context);
        QSignalSpy changes(&picker, &KiroXPDTPicker::Change);
        qint32 opened = -1;
        m_whileOpen = [&](datora::MyForm& calendar) {
            opened = calendar.InitValue;
            QTest::mouseClick(calendar.closeButton(), Qt::LeftButton, {}, QPoint(10, 10));
        };
        picker.openCalendar();
        const qint32 today = conv::toDateSerial(QDate(2026, 12, 9));
        QCOMPARE(opened, today);
        QCOMPARE(picker.value(), today);
        QCOMPARE(picker.text(), QStringLiteral("2026/12/09"));
        QCOMPARE(changes.count(), 1); // today's text, then the same text again

        picker.setText(QStringLiteral("typed"));
        picker.openCalendar();
        QCOMPARE(picker.text(), QStringLiteral("2026/12/09"));
    }

    void calendarOpensUnderTheButton() {
        QWidget host;
        host.setGeometry(200, 100, 300, 200);
        auto* picker = new KiroXPDTPicker(*m_context, &host);
        picker->move(10, 20);
        host.show();
        QPoint shownAt;
        m_whileOpen = [&](datora::MyForm& calendar) {
            shownAt = calendar.pos();
            calendar.done(0);
        };
        picker->openCalendar();
        const QPoint button = picker->dropButton()->mapToGlobal(QPoint(0, 0));
        QCOMPARE(shownAt, QPoint(button.x() - 56, button.y() + 17 + 3));
    }
};

QTEST_MAIN(TestKiroXPDTPicker)
#include "tst_kiroxpdtpicker.moc"
