// The library as a host meets it: the plugin loaded from beside the executable, controls made
// by class name and driven by property name and by dispatch identifier.
#include "conventions/ControlFactory.h"
#include "conventions/ControlHosting.h"
#include "conventions/DatePattern.h"
#include "conventions/DateSerial.h"
#include "support/ManualTime.h"

#include <QApplication>
#include <QDialog>
#include <QMouseEvent>
#include <QPluginLoader>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>
#include <memory>

namespace {

conv::AmbientProperties ambient() {
    conv::AmbientProperties properties;
    // The host's own face differs from the picker's, so the picker's font is stored.
    properties.font = QFont(QStringLiteral("MS Sans Serif"));
    properties.font.setPointSizeF(8.25);
    properties.displayName = QStringLiteral("KiroXPDTPicker1");
    return properties;
}

// What the main window stores for its picker.
conv::PropertyBag mainWindowDesign() {
    conv::PropertyBag bag;
    bag.write(QStringLiteral("Text"), QStringLiteral("3/11/16"));
    bag.write(QStringLiteral("Font"), conv::FontValue{QStringLiteral("Tahoma"), 8.25});
    bag.write(QStringLiteral("Value"), qint32(40248));
    bag.write(QStringLiteral("FormatDate"), QStringLiteral("m/dd/yy"));
    return bag;
}

} // namespace

class TestDatoraPlugin : public QObject {
    Q_OBJECT

    // The host's time, which the library takes for its clock and timers; it outlives the
    // plugin's controls.
    ManualTime m_time{QDateTime(QDate(2026, 12, 9), QTime(12, 0))};
    QPluginLoader m_loader;
    conv::ControlFactory* m_factory = nullptr;
    std::unique_ptr<QWidget> m_host;

    QWidget* create(const QString& className) {
        QString error;
        QWidget* control = m_factory->createControl(className, m_host.get(), &error);
        if (!control)
            qWarning() << error;
        return control;
    }

private Q_SLOTS:
    void initTestCase() {
        m_loader.setFileName(QCoreApplication::applicationDirPath() +
                             QStringLiteral("/libdatora.so"));
        QVERIFY2(m_loader.load(), qPrintable(m_loader.errorString()));
        m_factory = qobject_cast<conv::ControlFactory*>(m_loader.instance());
        QVERIFY(m_factory);
        m_host = std::make_unique<QWidget>();

        // Until the host has given its clock and timers the library makes nothing.
        QString error;
        QCOMPARE(m_factory->createControl(QStringLiteral("KiroXPControls2.KiroXPSpin"),
                                          m_host.get(), &error),
                 nullptr);
        QVERIFY(error.contains(QStringLiteral("not been started")));
        m_factory->start(m_time, m_time);
    }

    void cleanupTestCase() { m_host.reset(); }

    void offersExactlyThePublicClasses() {
        QCOMPARE(m_factory->classNames(),
                 (QStringList{QStringLiteral("KiroXPControls2.KiroXPDTPicker"),
                              QStringLiteral("KiroXPControls2.KiroXPSpin"),
                              QStringLiteral("KiroXPControls2.CommandButton")}));
    }

    void unknownAndPrivateClassesAreRefused_data() {
        QTest::addColumn<QString>("className");
        QTest::newRow("unknown") << QStringLiteral("KiroXPControls2.Nothing");
        QTest::newRow("private combo box") << QStringLiteral("KiroXPControls2.KiroXPComboBox");
        QTest::newRow("private day cell") << QStringLiteral("KiroXPControls2.LbDate");
        QTest::newRow("empty") << QString();
    }
    void unknownAndPrivateClassesAreRefused() {
        QFETCH(QString, className);
        QString error;
        QCOMPARE(m_factory->createControl(className, m_host.get(), &error), nullptr);
        QVERIFY(error.contains(QStringLiteral("no creatable class")));
        QCOMPARE(m_factory->createControl(className, m_host.get(), nullptr), nullptr);
    }

    void pickerTakesTheMainWindowsDesignAndWrites() {
        QWidget* widget = create(QStringLiteral("KiroXPControls2.KiroXPDTPicker"));
        QVERIFY(widget);
        auto* hosted = qobject_cast<conv::HostedControl*>(widget);
        QVERIFY(hosted);
        hosted->readProperties(mainWindowDesign(), ambient());
        QCOMPARE(widget->property("Text").toString(), QStringLiteral("3/11/16"));
        QCOMPARE(widget->property("Value").toInt(), 40248);
        QCOMPARE(widget->property("FormatDate").toString(), QStringLiteral("m/dd/yy"));

        // Saved again it gives the same design: defaults stay out, the order is kept.
        conv::PropertyBag saved;
        hosted->writeProperties(saved, ambient());
        QCOMPARE(saved.toText(), mainWindowDesign().toText());

        QSignalSpy changes(widget, SIGNAL(Change()));
        QSignalSpy reported(widget, SIGNAL(propertyChanged(QString)));
        QVERIFY(widget->setProperty("Text", QStringLiteral("12/9/2026")));
        QCOMPARE(changes.count(), 1);
        QCOMPARE(widget->property("Value").toInt(), 40248);

        const QDate today = m_time.now().date();
        const qint32 todaySerial = conv::toDateSerial(today);
        QVERIFY(widget->setProperty("Value", todaySerial));
        QCOMPARE(changes.count(), 2);
        QCOMPARE(widget->property("Value").toInt(), todaySerial);
        QCOMPARE(widget->property("Text").toString(),
                 conv::formatDate(today, QStringLiteral("m/dd/yy"),
                                  conv::DateTimeConventions::usEnglish()));
        QCOMPARE(reported.count(), 2);
        QCOMPARE(reported.at(1).at(0).toString(), QStringLiteral("Value"));
        delete widget;
    }

    void membersAnswerTheirDispatchIdentifiers() {
        QWidget* widget = create(QStringLiteral("KiroXPControls2.KiroXPDTPicker"));
        auto* hosted = qobject_cast<conv::HostedControl*>(widget);
        QVERIFY(hosted);
        QString error;
        QVariant value = QStringLiteral("m/dd/yy");
        QVERIFY(hosted->dispatch(0x68030000, conv::DispatchKind::Put, value, &error));
        value = 40248;
        QVERIFY(hosted->dispatch(0x68030001, conv::DispatchKind::Put, value, &error));
        QVERIFY(hosted->dispatch(0x68030002, conv::DispatchKind::Get, value, &error));
        QCOMPARE(value.toString(), QStringLiteral("3/11/10"));
        QVariant none;
        QVERIFY(hosted->dispatch(0x60030007, conv::DispatchKind::Call, none, &error));

        value = QStringLiteral("not a number");
        QVERIFY(!hosted->dispatch(0x68030001, conv::DispatchKind::Put, value, &error));
        QVERIFY(error.contains(QStringLiteral("Type mismatch")));
        value = 1;
        QVERIFY(!hosted->dispatch(0x68030004, conv::DispatchKind::Put, value, &error));
        QVERIFY(!hosted->dispatch(0x12345678, conv::DispatchKind::Get, value, &error));
        QVERIFY(error.contains(QStringLiteral("Unknown member")));
        delete widget;

        QWidget* spin = create(QStringLiteral("KiroXPControls2.KiroXPSpin"));
        auto* spinHosted = qobject_cast<conv::HostedControl*>(spin);
        QVERIFY(spinHosted);
        value = 2004;
        QVERIFY(spinHosted->dispatch(0x68030000, conv::DispatchKind::Put, value, &error));
        QVERIFY(spinHosted->dispatch(0x68030004, conv::DispatchKind::Get, value, &error));
        QCOMPARE(value.toString(), QStringLiteral("2004"));
        delete spin;

        QWidget* button = create(QStringLiteral("KiroXPControls2.CommandButton"));
        auto* buttonHosted = qobject_cast<conv::HostedControl*>(button);
        QVERIFY(buttonHosted);
        value = QStringLiteral("&Close");
        QVERIFY(buttonHosted->dispatch(0x68030002, conv::DispatchKind::Put, value, &error));
        QCOMPARE(button->property("Caption").toString(), QStringLiteral("&Close"));
        delete button;
    }

    void controlsRunOnTheHostsClockAndTimers() {
        ManualTime other(QDateTime(QDate(2001, 1, 1), QTime(0, 0)));
        m_factory->start(other, other); // a later start changes nothing
        QWidget* widget = create(QStringLiteral("KiroXPControls2.KiroXPDTPicker"));
        auto* hosted = qobject_cast<conv::HostedControl*>(widget);
        QVERIFY(hosted);
        hosted->initNewControl(ambient());
        QCOMPARE(widget->property("Value").toInt(), conv::toDateSerial(QDate(2026, 12, 9)));
        QCOMPARE(widget->property("Text").toString(), QStringLiteral("2026/12/09"));
        delete widget;

        // The button follows the pointer with a timer made by the host's timer source.
        m_host->resize(200, 100);
        m_host->show();
        QWidget* button = create(QStringLiteral("KiroXPControls2.CommandButton"));
        QVERIFY(button);
        button->setGeometry(10, 10, 75, 23);
        button->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_host.get()));
        QCOMPARE(m_time.activeTimerCount(), 0);
        const QPoint centre = button->rect().center();
        QMouseEvent move(QEvent::MouseMove, centre, button->mapToGlobal(centre), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(button, &move);
        QCOMPARE(m_time.activeTimerCount(), 1);
        QCOMPARE(other.activeTimerCount(), 0);
        delete button;
        QCOMPARE(m_time.activeTimerCount(), 0);
        m_host->hide();
    }

    void calendarGoesWithTheHostWindow() {
        // Made hidden before the first control; the library outlives the application, so the
        // window that hosts the controls takes it along.
        QVERIFY(create(QStringLiteral("KiroXPControls2.KiroXPSpin")));
        const auto calendars = [] {
            int count = 0;
            for (const QWidget* window : QApplication::topLevelWidgets())
                count += window->inherits("datora::MyForm");
            return count;
        };
        QCOMPARE(calendars(), 1);
        QCOMPARE(m_host->findChildren<QDialog*>().size(), 1);
        m_host.reset();
        QCOMPARE(calendars(), 0);
    }
};

QTEST_MAIN(TestDatoraPlugin)
#include "tst_datora_plugin.moc"
