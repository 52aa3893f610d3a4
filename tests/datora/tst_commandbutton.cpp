// The push button: its painted looks read back pixel by pixel, and the event sequences of
// pointer, keyboard and focus.
#include "conventions/ColourRef.h"
#include "datora/ButtonPainter.h"
#include "datora/CommandButton.h"
#include "datora/LibraryContext.h"
#include "support/ManualTime.h"
#include "support/Rgb.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

using datora::CommandButton;

namespace {

datora::ButtonFace face() {
    datora::ButtonFace look;
    look.background = Qt::white;
    return look; // no caption: only the frames and faces
}

} // namespace

class TestCommandButton : public QObject {
    Q_OBJECT

    ManualTime m_time;
    std::unique_ptr<datora::LibraryContext> m_context;
    QWidget* m_underCursor = nullptr;

    std::unique_ptr<CommandButton> makeButton(QWidget* parent = nullptr) {
        auto button = std::make_unique<CommandButton>(*m_context, parent);
        button->resize(41, 19);
        button->show(); // a hidden widget takes its size only when shown
        return button;
    }

    // A pointer move as the window system delivers it, the button itself deciding whether the
    // pointer is over it through the window under the cursor.
    static void move(QWidget* widget, Qt::MouseButtons buttons = Qt::NoButton) {
        const QPointF at(10, 10);
        QMouseEvent event(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, buttons,
                          Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }

private Q_SLOTS:
    void init() {
        m_context = std::make_unique<datora::LibraryContext>(m_time, m_time);
        m_underCursor = nullptr;
        m_context->setWidgetAt([this](const QPoint&) { return m_underCursor; });
        m_context->setCursorPosition([] { return QPoint(); });
    }

    void normalLookRowByRow() {
        auto button = makeButton();
        const QImage& image = button->image();
        QCOMPARE(image.size(), QSize(41, 19));
        const Rgb background =
            rgb(conv::systemColour(int(conv::SystemColour::Window), button->palette()));
        const Rgb frame{0, 60, 116};
        const Rgb a{122, 149, 168};
        const Rgb b{37, 87, 131};
        // Inner columns, away from the caption.
        for (int x : {2, 3, 37, 38}) {
            QCOMPARE(rgb(image, x, 0), frame);
            QCOMPARE(rgb(image, x, 1), background);
            QCOMPARE(rgb(image, x, 2), background);
            for (int y = 3; y <= 14; ++y) {
                const int shade = y - 3;
                QCOMPARE(rgb(image, x, y), Rgb(255 - shade, 255 - shade, 253 - shade));
            }
            QCOMPARE(rgb(image, x, 15), Rgb(236, 235, 230));
            QCOMPARE(rgb(image, x, 16), Rgb(226, 223, 214));
            QCOMPARE(rgb(image, x, 17), Rgb(214, 208, 197));
            QCOMPARE(rgb(image, x, 18), frame);
        }
        for (int y = 2; y <= 16; ++y) {
            QCOMPARE(rgb(image, 0, y), frame);
            QCOMPARE(rgb(image, 40, y), frame);
        }
        // The four corners alike, mirrored: the window's shape leaves out the outermost pixel,
        // the two beside it are `a`, the one diagonally inside it `b`.
        const QRegion shape = button->mask();
        for (const QPoint corner : {QPoint(0, 0), QPoint(40, 0), QPoint(0, 18), QPoint(40, 18)}) {
            const int inwardX = corner.x() == 0 ? 1 : -1;
            const int inwardY = corner.y() == 0 ? 1 : -1;
            QVERIFY(!shape.contains(corner));
            QCOMPARE(rgb(image, corner.x(), corner.y() + inwardY), a);
            QCOMPARE(rgb(image, corner.x() + inwardX, corner.y()), a);
            QCOMPARE(rgb(image, corner.x() + inwardX, corner.y() + inwardY), b);
        }
        QVERIFY(shape.contains(QPoint(1, 0)));
        QVERIFY(shape.contains(QPoint(20, 18)));
    }

    void otherLooks_data() {
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("hot");
        QTest::addColumn<bool>("focus");
        QTest::addColumn<int>("state");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QColor>("expected");
        const QColor pale(255, 240, 207);
        QTest::newRow("hot top line") << true << true << false << 0 << QPoint(20, 1) << pale;
        QTest::newRow("hot outer start")
            << true << true << false << 0 << QPoint(1, 2) << QColor(254, 223, 154);
        QTest::newRow("hot outer stops")
            << true << true << false << 0 << QPoint(1, 16) << QColor(240, 181, 56);
        QTest::newRow("hot inner start")
            << true << true << false << 0 << QPoint(2, 3) << QColor(252, 210, 121);
        QTest::newRow("hot bottom")
            << true << true << false << 0 << QPoint(20, 17) << QColor(229, 151, 0);
        QTest::newRow("hot wins over focus") << true << true << true << 0 << QPoint(20, 1) << pale;
        QTest::newRow("focus top line")
            << true << false << true << 0 << QPoint(20, 1) << QColor(206, 231, 251);
        QTest::newRow("focus stroke")
            << true << false << true << 0 << QPoint(1, 3) << QColor(186, 211, 246);
        QTest::newRow("focus corner")
            << true << false << true << 0 << QPoint(2, 17) << QColor(77, 125, 193);
        QTest::newRow("focus bottom")
            << true << false << true << 0 << QPoint(20, 17) << QColor(97, 125, 229);
        QTest::newRow("pressed top")
            << true << false << false << 1 << QPoint(20, 1) << QColor(209, 204, 192);
        QTest::newRow("pressed first band")
            << true << false << false << 1 << QPoint(20, 4) << QColor(226, 225, 218);
        QTest::newRow("pressed later band")
            << true << false << false << 1 << QPoint(20, 9) << QColor(225, 224, 217);
        QTest::newRow("pressed frame")
            << true << false << false << 1 << QPoint(20, 0) << QColor(0, 60, 116);
        QTest::newRow("disabled face")
            << false << true << true << 1 << QPoint(20, 9) << QColor(245, 244, 234);
        QTest::newRow("disabled frame")
            << false << false << false << 0 << QPoint(20, 0) << QColor(201, 199, 186);
        QTest::newRow("disabled corner")
            << false << false << false << 0 << QPoint(1, 1) << QColor(216, 213, 199);
        QTest::newRow("disabled inner corner")
            << false << false << false << 0 << QPoint(39, 16) << QColor(234, 233, 222);
    }
    void otherLooks() {
        QFETCH(bool, enabled);
        QFETCH(bool, hot);
        QFETCH(bool, focus);
        QFETCH(int, state);
        QFETCH(QPoint, at);
        QFETCH(QColor, expected);
        datora::ButtonFace look = face();
        look.enabled = enabled;
        look.isHot = hot;
        look.hasFocus = focus;
        look.lastButton = 1;
        const QImage image = datora::paintButton(QSize(41, 19), look, state);
        QCOMPARE(image.pixelColor(at), expected);
    }

    void captionColours() {
        datora::ButtonFace look = face();
        look.caption = QStringLiteral("Close");
        look.foreColor = QColor(10, 20, 30);
        look.foreHover = QColor(200, 0, 0);
        QCOMPARE(datora::captionColour(look), QColor(10, 20, 30));
        look.isHot = true;
        QCOMPARE(datora::captionColour(look), QColor(200, 0, 0));
        look.enabled = false;
        QCOMPARE(datora::captionColour(look), QColor(161, 161, 146));
        // The disabled caption is painted in its grey.
        const QImage image = datora::paintButton(QSize(41, 19), look, 0);
        bool seen = false;
        for (int y = 0; y < 19 && !seen; ++y)
            for (int x = 0; x < 41 && !seen; ++x)
                seen = image.pixelColor(x, y) == QColor(161, 161, 146);
        QVERIFY(seen);
    }

    void hoverRaisesOverAndOutOnce() {
        auto button = makeButton();
        QSignalSpy over(button.get(), &CommandButton::MouseOver);
        QSignalSpy out(button.get(), &CommandButton::MouseOut);
        QSignalSpy moves(button.get(), &CommandButton::MouseMove);
        m_underCursor = button.get();
        for (int i = 0; i < 5; ++i)
            move(button.get());
        QCOMPARE(over.count(), 1);
        QCOMPARE(moves.count(), 2); // the first two moves only
        QVERIFY(button->isHot());
        QCOMPARE(button->image().pixelColor(20, 1), QColor(255, 240, 207));
        m_time.advance(50);
        QCOMPARE(out.count(), 0);
        m_underCursor = nullptr;
        m_time.advance(5);
        QCOMPARE(out.count(), 1);
        QVERIFY(!button->isHot());
        QCOMPARE(m_time.activeTimerCount(), 0);
        QCOMPARE(button->image().pixelColor(20, 1),
                 conv::systemColour(int(conv::SystemColour::Window), button->palette()));
        m_time.advance(50);
        QCOMPARE(out.count(), 1);
    }

    void clicksAndTheRightButton() {
        auto button = makeButton();
        button->show();
        QSignalSpy clicks(button.get(), &CommandButton::Click);
        QSignalSpy downs(button.get(), &CommandButton::MouseDown);
        QSignalSpy ups(button.get(), &CommandButton::MouseUp);
        QTest::mousePress(button.get(), Qt::RightButton, {}, QPoint(20, 9));
        QCOMPARE(button->image().pixelColor(20, 1),
                 conv::systemColour(int(conv::SystemColour::Window), button->palette()));
        QTest::mouseRelease(button.get(), Qt::RightButton, {}, QPoint(20, 9));
        QCOMPARE(downs.count(), 1);
        QCOMPARE(downs.at(0).at(0).value<qint16>(), qint16(2));
        QCOMPARE(ups.count(), 1);
        QCOMPARE(clicks.count(), 0);

        QTest::mousePress(button.get(), Qt::LeftButton, {}, QPoint(20, 9));
        QCOMPARE(button->image().pixelColor(20, 1), QColor(209, 204, 192)); // pressed
        QTest::mouseRelease(button.get(), Qt::LeftButton, {}, QPoint(20, 9));
        QCOMPARE(clicks.count(), 1);

        // A double click as the window system delivers it: press, release, double-click
        // press, release. The second press shows the pressed look again, one click counts.
        clicks.clear();
        downs.clear();
        QTest::mouseClick(button.get(), Qt::LeftButton, {}, QPoint(20, 9));
        QMouseEvent second(QEvent::MouseButtonDblClick, QPointF(20, 9),
                           button->mapToGlobal(QPointF(20, 9)), Qt::LeftButton, Qt::LeftButton,
                           Qt::NoModifier);
        QApplication::sendEvent(button.get(), &second);
        QCOMPARE(button->image().pixelColor(20, 1), QColor(209, 204, 192));
        QTest::mouseRelease(button.get(), Qt::LeftButton, {}, QPoint(20, 9));
        QCOMPARE(downs.count(), 2);
        QCOMPARE(clicks.count(), 1);
    }

    void keyPairs_data() {
        QTest::addColumn<int>("down");
        QTest::addColumn<int>("up");
        QTest::addColumn<int>("clicks");
        QTest::newRow("space") << int(Qt::Key_Space) << int(Qt::Key_Space) << 1;
        QTest::newRow("enter") << int(Qt::Key_Return) << int(Qt::Key_Return) << 1;
        QTest::newRow("space then enter") << int(Qt::Key_Space) << int(Qt::Key_Return) << 0;
        QTest::newRow("enter then space") << int(Qt::Key_Return) << int(Qt::Key_Space) << 0;
        QTest::newRow("a letter") << int(Qt::Key_A) << int(Qt::Key_A) << 0;
    }
    void keyPairs() {
        QFETCH(int, down);
        QFETCH(int, up);
        QFETCH(int, clicks);
        auto button = makeButton();
        QSignalSpy clicked(button.get(), &CommandButton::Click);
        QSignalSpy keyDowns(button.get(), &CommandButton::KeyDown);
        QTest::keyPress(button.get(), Qt::Key(down));
        QTest::keyRelease(button.get(), Qt::Key(up));
        QCOMPARE(clicked.count(), clicks);
        QCOMPARE(keyDowns.count(), 1);
    }

    void accessKeys_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("key");
        QTest::newRow("before the first letter") << QStringLiteral("&Close") << QStringLiteral("c");
        QTest::newRow("inside") << QStringLiteral("Cl&ose") << QStringLiteral("o");
        QTest::newRow("doubled only") << QStringLiteral("Save && Close") << QString();
        QTest::newRow("doubled then single") << QStringLiteral("A && &Bee") << QStringLiteral("b");
        QTest::newRow("doubled then doubled") << QStringLiteral("A && && B") << QString();
        QTest::newRow("last character") << QStringLiteral("Close&") << QString();
        QTest::newRow("one character") << QStringLiteral("&") << QString();
        QTest::newRow("none") << QStringLiteral("Close") << QString();
    }
    void accessKeys() {
        QFETCH(QString, caption);
        QFETCH(QString, key);
        auto button = makeButton();
        button->setCaption(caption);
        QCOMPARE(button->accessKey(), key);
    }

    void accessKeyClicks() {
        QWidget window;
        auto button = makeButton(&window);
        button->setCaption(QStringLiteral("&Close"));
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QSignalSpy clicks(button.get(), &CommandButton::Click);
        QTest::keyClick(&window, Qt::Key_C, Qt::AltModifier);
        QCOMPARE(clicks.count(), 1);
        QCOMPARE(button->lastButton(), qint16(1));
        // After a left click the focus shows the pressed look.
        button->clearFocus();
        button->setFocus();
        QCOMPARE(button->image().pixelColor(20, 1), QColor(209, 204, 192));
        button.reset();
    }

    void arrowsMoveTheFocus_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("expected");
        QTest::newRow("right") << int(Qt::Key_Right) << 2;
        QTest::newRow("left") << int(Qt::Key_Left) << 2;
        QTest::newRow("down") << int(Qt::Key_Down) << 0;
        QTest::newRow("up") << int(Qt::Key_Up) << 0;
    }
    void arrowsMoveTheFocus() {
        QFETCH(int, key);
        QFETCH(int, expected);
        QWidget window;
        std::vector<std::unique_ptr<CommandButton>> buttons;
        for (int i = 0; i < 3; ++i) {
            buttons.push_back(makeButton(&window));
            buttons.back()->move(0, 20 * i);
        }
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        buttons[1]->setFocus();
        QVERIFY(buttons[1]->hasFocusFlag());
        QTest::keyClick(buttons[1].get(), Qt::Key(key));
        QCOMPARE(QApplication::focusWidget(), buttons[std::size_t(expected)].get());
        QVERIFY(!buttons[1]->hasFocusFlag());
        buttons.clear();
    }

    void disabledReactsToNothing() {
        auto button = makeButton();
        button->show();
        QSignalSpy clicks(button.get(), &CommandButton::Click);
        QSignalSpy reported(button.get(), &CommandButton::propertyChanged);
        button->setEnabledFlag(false);
        QCOMPARE(reported.count(), 1);
        QCOMPARE(button->image().pixelColor(20, 9), QColor(245, 244, 234));
        QTest::mouseClick(button.get(), Qt::LeftButton, {}, QPoint(20, 9));
        button->pressAccessKey();
        QCOMPARE(clicks.count(), 0);
    }

    void newControlCaption() {
        auto button = makeButton();
        conv::AmbientProperties ambient;
        ambient.displayName = QStringLiteral("CommandButton1");
        button->initNewControl(ambient);
        QCOMPARE(button->caption(), QStringLiteral("Command1"));
        QVERIFY(button->enabledFlag());
    }

    void designRoundTrip() {
        conv::AmbientProperties ambient;
        ambient.font = QFont(QStringLiteral("MS Sans Serif"));
        ambient.font.setPointSizeF(8.25);
        ambient.displayName = QStringLiteral("CommandButton1");
        ambient.foreColor = Qt::black;

        // The calendar's Close button.
        conv::PropertyBag design;
        design.write(QStringLiteral("Font"), conv::FontValue{QStringLiteral("Tahoma"), 8.25});
        design.write(QStringLiteral("Caption"), QStringLiteral("Close"));
        design.write(QStringLiteral("ForeColor"),
                     conv::ColourValue{conv::systemColourRef(conv::SystemColour::WindowFrame)});
        design.write(QStringLiteral("ForeHover"), conv::ColourValue{0});

        auto button = makeButton();
        button->readProperties(design, ambient);
        QCOMPARE(button->caption(), QStringLiteral("Close"));
        QCOMPARE(button->controlFont().family(), QStringLiteral("Tahoma"));
        conv::PropertyBag saved;
        button->writeProperties(saved, ambient);
        QCOMPARE(saved.toText(), design.toText());

        // Defaults: caption from the display name, hover colour from the text colour, the
        // text colour written always.
        auto fresh = makeButton();
        fresh->readProperties(conv::PropertyBag(), ambient);
        QCOMPARE(fresh->caption(), QStringLiteral("CommandButton1"));
        QCOMPARE(fresh->foreHover(), fresh->foreColor());
        conv::PropertyBag minimal;
        fresh->writeProperties(minimal, ambient);
        QCOMPARE(minimal.entries().size(), 1);
        QCOMPARE(minimal.entries().at(0).key, QStringLiteral("ForeColor"));
    }
};

QTEST_MAIN(TestCommandButton)
#include "tst_commandbutton.moc"
