#include "commands/AlarmStop.h"
#include "commands/SilentAlarm.h"
#include "support/MainFixture.h"
#include "support/PaintedWindow.h"
#include "support/RecordingErrors.h"

#include <QComboBox>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScreen>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

int darkPixels(const QImage& image) {
    int dark = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            dark += qGray(image.pixel(x, y)) < 96 ? 1 : 0;
    }
    return dark;
}

} // namespace

// Every window as the user sees it: each control that paints something shows in the painted
// window, none lies under a sibling.
class TestWindows : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void notificationShowsItsText() {
        SilentAlarm window(u"Backup"_s, u"Change the tape"_s);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QRect place(window.Text1->mapTo(&window, QPoint(0, 0)), window.Text1->size());
        const QImage painted =
            window.grab().toImage().copy(place).convertToFormat(QImage::Format_RGB32);
        // The text box's own pixels, text and all, are what the window shows in its place.
        QCOMPARE(painted, window.Text1->grab().toImage().convertToFormat(QImage::Format_RGB32));
        QVERIFY(darkPixels(painted) > 20);
        QCOMPARE(coveredControls(window), QStringList());
    }

    // Centred on the screen when first shown; later showings leave it where it was put.
    void windowIsCentredOnlyOnItsFirstShowing() {
        SilentAlarm window(u"Backup"_s, u"Change the tape"_s);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QRect available = window.screen()->availableGeometry();
        const QPoint offCentre = window.frameGeometry().center() - available.center();
        QVERIFY2(offCentre.manhattanLength() <= 2,
                 qPrintable(u"%1, %2"_s.arg(offCentre.x()).arg(offCentre.y())));
        window.hide();
        const QPoint put = available.topLeft() + QPoint(10, 20);
        window.move(put);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.pos(), put);
    }

    void alarmWindowShowsItsLinks() {
        RecordingAlarmPlayer player;
        ManualTime time;
        RecordingErrors errors;
        nocturnia::utimerCTL snooze(time, errors);
        auto* window = new AlarmStop(player, snooze, u"7:30:00 AM"_s);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QCOMPARE(coveredControls(*window), QStringList());
        window->close();
    }

    void mainWindowShowsEveryControl_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("speedMethod");
        QTest::addColumn<bool>("wirelessPage");
        QTest::newRow("start") << QString() << false << false;
        QTest::newRow("alarm panel") << u"Sound Wake-up Alarm"_s << false << false;
        QTest::newRow("run-file panel") << u"Run A Specified File"_s << false << false;
        QTest::newRow("notification panel") << u"Display A Notification"_s << false << false;
        QTest::newRow("speed method") << u"Shutdown Computer"_s << true << false;
        QTest::newRow("wireless page") << QString() << false << true;
    }

    void mainWindowShowsEveryControl() {
        QFETCH(QString, command);
        QFETCH(bool, speedMethod);
        QFETCH(bool, wirelessPage);
        Fixture f;
        Main& main = f.load();
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        if (!command.isEmpty())
            main.page->CmbOption->setCurrentText(command);
        if (speedMethod)
            main.page->Option5->click();
        if (wirelessPage) {
            main.Frame8->hide();
            main.Frame5->show();
        }
        QCOMPARE(coveredControls(main), QStringList());
    }
};

QTEST_MAIN(TestWindows)
#include "tst_windows.moc"
