// Arms a "Shutdown Computer" schedule for a moment two seconds ahead, twenty times, and
// prints how long after the start of the scheduled second the power request left, against
// a mocked login manager on a private bus. Prints figures; judges nothing.

#include "conventions/Clock.h"
#include "conventions/Timer.h"
#include "platform/DesktopFileOpener.h"
#include "platform/IniSettingsStore.h"
#include "platform/LogindPowerRequests.h"
#include "platform/PluginControlLoader.h"
#include "platform/PulseAudioInput.h"
#include "platform/QtAlarmPlayer.h"
#include "platform/QtDialogs.h"
#include "schedule/AutomaticCommandsPage.h"
#include "shell/Main.h"
#include "support/DBusMock.h"
#include "support/PrivateBus.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimeEdit>
#include <QTimer>
#include <algorithm>
#include <cstdio>

namespace {

// Passes every request on and notes how far into its second it was made.
class TimedPowerRequests final : public PowerRequests {
public:
    explicit TimedPowerRequests(PowerRequests& inner)
        : m_inner(inner) {}
    QList<int> delaysMs;
    QTime scheduled;

    bool isPowerServiceReachable() override { return m_inner.isPowerServiceReachable(); }
    void askWhetherAllowed(PowerAction action) override { m_inner.askWhetherAllowed(action); }
    QString answerWhetherAllowed(PowerAction action) override {
        return m_inner.answerWhetherAllowed(action);
    }
    void request(PowerAction action, bool forced) override {
        delaysMs << int(scheduled.msecsTo(QTime::currentTime()));
        m_inner.request(action, forced);
    }

private:
    PowerRequests& m_inner;
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    PrivateBus systemBus(QStringLiteral("bench-system"));
    PrivateBus sessionBus(QStringLiteral("bench-session"));
    DBusMock logind;
    QString error;
    if (!systemBus.start(&error) || !sessionBus.start(&error) ||
        !logind.start(systemBus.connection(), systemBus.address(),
                      QStringLiteral("org.freedesktop.login1"),
                      QStringLiteral("/org/freedesktop/login1"),
                      {QStringLiteral("--template"), QStringLiteral("logind")}, &error)) {
        std::fprintf(stderr, "cannot start the mocked login manager: %s\n", qPrintable(error));
        return 1;
    }
    logind.addMethod(QStringLiteral("org.freedesktop.login1.Manager"),
                     QStringLiteral("PowerOffWithFlags"), QStringLiteral("t"), QString(),
                     QString());

    QTemporaryDir config;
    IniSettingsStore settings(config.filePath(QStringLiteral("settings.ini")));
    DesktopFileOpener opener;
    QtDialogs dialogs;
    LogindPowerRequests logindRequests(systemBus.connection(), sessionBus.connection());
    TimedPowerRequests power(logindRequests);
    QtAlarmPlayer player;
    PulseAudioInput audio;
    conv::SystemClock clock;
    conv::QtTimerSource timers;
    PluginControlLoader controls(
        QCoreApplication::applicationDirPath() + QStringLiteral("/libdatora.so"), clock, timers);
    Main main(MainServices{settings, opener, dialogs, controls, power, player, audio, clock, timers,
                           conv::DateTimeConventions::usEnglish(),
                           QCoreApplication::applicationDirPath()});
    main.Form_Load();
    main.page->CmbOption->setCurrentText(QStringLiteral("Shutdown Computer"));
    main.page->chkForce->setChecked(false);

    const int firings = 20;
    const auto armNext = [&] {
        const QTime now = QTime::currentTime();
        power.scheduled = QTime(now.hour(), now.minute(), now.second()).addSecs(2);
        main.page->DT->setTime(power.scheduled);
        main.page->CmdActive->click();
    };
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, &app, [&] {
        if (main.page->isArmed())
            return;
        if (power.delaysMs.size() >= firings) {
            app.quit();
            return;
        }
        armNext();
    });
    watch.start(50);
    QTimer::singleShot(firings * 4000, &app, &QCoreApplication::quit); // a bound, whatever happens
    QApplication::exec();

    QList<int> delays = power.delaysMs;
    std::sort(delays.begin(), delays.end());
    if (delays.isEmpty()) {
        std::printf("no firing seen\n");
        return 1;
    }
    std::printf("firings                      %8lld\n", static_cast<long long>(delays.size()));
    std::printf("delay after the second began %8d ms median, %d ms min, %d ms max\n",
                delays.at(delays.size() / 2), delays.first(), delays.last());
    return 0;
}
