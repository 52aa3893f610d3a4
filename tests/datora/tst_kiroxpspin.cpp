// The spin field: the number in the text, the arrows and their limits, images, layout, design.
#include "conventions/Twips.h"
#include "datora/ImageBox.h"
#include "datora/KiroXPSpin.h"
#include "datora/LibraryContext.h"
#include "support/ManualTime.h"

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

using datora::KiroXPSpin;

class TestKiroXPSpin : public QObject {
    Q_OBJECT

    ManualTime m_time;
    std::unique_ptr<datora::LibraryContext> m_context;

private Q_SLOTS:
    void init() { m_context = std::make_unique<datora::LibraryContext>(m_time, m_time); }

    void valueReadsTheLeadingNumber_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("year") << QStringLiteral("2003") << 2003.0;
        QTest::newRow("digits then letters") << QStringLiteral("75abc") << 75.0;
        QTest::newRow("letters") << QStringLiteral("abc") << 0.0;
        QTest::newRow("empty") << QString() << 0.0;
        QTest::newRow("fraction") << QStringLiteral("2099.5") << 2099.5;
    }
    void valueReadsTheLeadingNumber() {
        QFETCH(QString, text);
        QFETCH(double, value);
        KiroXPSpin spin(*m_context);
        spin.setText(text);
        QCOMPARE(spin.value(), value);
    }

    void arrowsStepWithinTheLimits_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("up");
        QTest::addColumn<QString>("expected");
        QTest::newRow("at the maximum, up")
            << QStringLiteral("2100") << true << QStringLiteral("2100");
        QTest::newRow("at the maximum, down")
            << QStringLiteral("2100") << false << QStringLiteral("2099");
        QTest::newRow("passes the limit by less than a step")
            << QStringLiteral("2099.5") << true << QStringLiteral("2100.5");
        QTest::newRow("at the minimum, down")
            << QStringLiteral("1900") << false << QStringLiteral("1900");
        QTest::newRow("text reads 0") << QStringLiteral("abc") << false << QStringLiteral("-1");
    }
    void arrowsStepWithinTheLimits() {
        QFETCH(QString, text);
        QFETCH(bool, up);
        QFETCH(QString, expected);
        KiroXPSpin spin(*m_context);
        spin.setMaximum(2100);
        spin.setMinimum(text == QLatin1String("abc") ? -32000 : 1900);
        spin.setText(text);
        spin.show();
        QSignalSpy changes(&spin, &KiroXPSpin::Change);
        QTest::mouseClick(up ? spin.upArrow() : spin.downArrow(), Qt::LeftButton);
        QCOMPARE(spin.text(), expected);
        QCOMPARE(changes.count(), expected == text ? 0 : 1);
    }

    void arrowClickMovesTheFocusAway() {
        QWidget window;
        auto* spin = new KiroXPSpin(*m_context, &window);
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        spin->textField()->setFocus();
        QTest::mouseClick(spin->upArrow(), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), spin->focusSink());
        QCOMPARE(spin->text(), QStringLiteral("1"));
    }

    void lockedRefusesTypingOnly() {
        KiroXPSpin spin(*m_context);
        spin.setText(QStringLiteral("5"));
        spin.setLocked(true);
        QTest::keyClicks(spin.textField(), QStringLiteral("9"));
        QCOMPARE(spin.text(), QStringLiteral("5"));
        spin.stepUp();
        QCOMPARE(spin.text(), QStringLiteral("6"));
    }

    void arrowImages() {
        KiroXPSpin spin(*m_context);
        spin.show();
        QCOMPARE(spin.upArrow()->picture().size(), QSize(15, 9));
        QTest::mousePress(spin.upArrow(), Qt::LeftButton);
        QCOMPARE(spin.upArrow()->pictureIndex(), int(KiroXPSpin::UpPressed));
        QTest::mouseRelease(spin.upArrow(), Qt::LeftButton);
        QCOMPARE(spin.upArrow()->pictureIndex(), int(KiroXPSpin::UpPressed)); // until a move
        QMouseEvent move(QEvent::MouseMove, QPointF(3, 3), QPointF(3, 3), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(spin.downArrow(), &move);
        QCOMPARE(spin.downArrow()->pictureIndex(), int(KiroXPSpin::DownHot));
        QCOMPARE(spin.upArrow()->pictureIndex(), int(KiroXPSpin::UpNormal));
        spin.setEnabledFlag(false);
        QCOMPARE(spin.upArrow()->pictureIndex(), int(KiroXPSpin::UpDisabled));
        QCOMPARE(spin.downArrow()->pictureIndex(), int(KiroXPSpin::DownDisabled));
        QCOMPARE(spin.outlineColour(), QColor(192, 192, 192));
        spin.setEnabledFlag(true);
        QCOMPARE(spin.upArrow()->pictureIndex(), int(KiroXPSpin::UpNormal));
        QCOMPARE(spin.downArrow()->pictureIndex(), int(KiroXPSpin::DownNormal));
    }

    void layout() {
        KiroXPSpin spin(*m_context);
        spin.show();
        spin.resize(conv::twipsToPixels(300), 60);
        QCOMPARE(spin.size(), QSize(conv::twipsToPixels(400), conv::twipsToPixels(330)));
        spin.resize(100, 10);
        QCOMPARE(spin.size(), QSize(100, 22));
        QCOMPARE(spin.upArrow()->x(), conv::twipsToPixels(1500 - 255));
        QCOMPARE(spin.downArrow()->x(), spin.upArrow()->x());
    }

    void calendarDesignRoundTrip() {
        conv::AmbientProperties ambient;
        ambient.font = QFont(QStringLiteral("MS Sans Serif"));
        conv::PropertyBag design;
        design.write(QStringLiteral("Text"), QStringLiteral("2003"));
        design.write(QStringLiteral("Max"), qint32(2100));
        design.write(QStringLiteral("Min"), qint32(1900));
        design.write(QStringLiteral("Font"), conv::FontValue{QStringLiteral("Tahoma"), 8.25});
        KiroXPSpin spin(*m_context);
        spin.readProperties(design, ambient);
        QCOMPARE(spin.value(), 2003.0);
        QCOMPARE(spin.maximum(), 2100);
        conv::PropertyBag saved;
        spin.writeProperties(saved, ambient);
        QCOMPARE(saved.toText(), design.toText());
    }
};

QTEST_MAIN(TestKiroXPSpin)
#include "tst_kiroxpspin.moc"
