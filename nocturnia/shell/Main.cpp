#include "shell/Main.h"

#include "base/AppIcon.h"
#include "base/ClickableLabel.h"
#include "base/ControlLoader.h"
#include "base/Dialogs.h"
#include "base/ErrorMessageSink.h"
#include "base/FileOpener.h"
#include "base/ScreenCentre.h"
#include "commands/CommandCatalogue.h"
#include "commands/CommandOperations.h"
#include "commands/WakeUpAlarm.h"
#include "commands/modPower.h"
#include "controls/Run_At_StartUp.h"
#include "controls/utimerCTL.h"
#include "conventions/Clock.h"
#include "conventions/ControlHosting.h"
#include "conventions/DatePattern.h"
#include "conventions/DateSerial.h"
#include "conventions/StoredDesign.h"
#include "conventions/Timer.h"
#include "conventions/Twips.h"
#include "netmon/SpeedSampling.h"
#include "schedule/AutomaticCommandsPage.h"
#include "schedule/ScheduleDetails.h"
#include "schedule/ScheduleEvaluation.h"
#include "schedule/SecondTimers.h"
#include "shell/FallbackDatePicker.h"
#include "shell/LoadSequence.h"
#include "shell/Navigation.h"
#include "shell/Splash.h"
#include "shell/TrayMenu.h"
#include "sound/Form1.h"
#include "triggers/Farcall.h"
#include "triggers/WirelessPage.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QTimeEdit>

Q_LOGGING_CATEGORY(lcMain, "nocturnia.main")

namespace {

template <class W> W* placed(W* widget, int left, int top, int width, int height) {
    widget->setGeometry(conv::twipsRect(left, top, width, height));
    return widget;
}

// Property errors of the window's controls, as modal message boxes.
class ControlErrorMessages final : public nocturnia::ErrorMessageSink {
public:
    ControlErrorMessages(Dialogs& dialogs, QWidget& window)
        : m_dialogs(dialogs)
        , m_window(window) {}
    void showError(const QString& text) override {
        m_dialogs.warning(&m_window, QStringLiteral("Nocturnia"), text);
    }

private:
    Dialogs& m_dialogs;
    QWidget& m_window;
};

// Timers that tick just after each second boundary, in the display's turn: before the
// schedule's test, which then compares the figures of the same second.
class DisplayTurnTimers final : public conv::TimerSource {
public:
    explicit DisplayTurnTimers(SecondTimers& timers)
        : m_timers(timers) {}
    std::unique_ptr<conv::Timer> createTimer() override {
        return m_timers.createTimer(SecondTimers::DisplayTurn);
    }

private:
    SecondTimers& m_timers;
};

conv::StoredDesign loadDesign() {
    QFile file(QStringLiteral(":/designs/Main.design"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QString error;
    const auto design = conv::parseStoredDesign(QString::fromUtf8(file.readAll()), &error);
    if (!design)
        qCWarning(lcMain) << "stored design unreadable:" << error;
    return design.value_or(conv::StoredDesign());
}

} // namespace

Main::Main(MainServices services)
    : QWidget(nullptr)
    , m_secondTimers(std::make_unique<SecondTimers>(services.clock, services.timers))
    , m_design(loadDesign())
    , m_services(std::move(services)) {
    m_controlErrors = std::make_unique<ControlErrorMessages>(m_services.dialogs, *this);
    setObjectName(QStringLiteral("Main"));
    setWindowTitle(QStringLiteral("Nocturnia"));
    setFixedSize(conv::twipsToPixels(10320), conv::twipsToPixels(6945));
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
    centreOnFirstShow(*this);

    buildRegions();
    buildNavigation();
    showSoundConsole = [this] {
        openSoundConsole();
    };
    buildSubsystems();
    setCleanupStep(CleanupStep::StopPlayer, [this] { alarm->stopPlayer(); });
    setCleanupStep(CleanupStep::CloseListener, [this] { wireless->farcall->closeListener(); });
}

Main::~Main() {
    delete m_soundConsole;
    // In the reverse order of their making: each subsystem works on the ones made before it,
    // and all of them on the timers.
    delete m_splash;
    delete network;
    delete wireless;
    m_commands.reset();
    delete schedule;
    details.reset();
    alarm.reset();
    delete page;
    delete Snooze;
    delete Timer4;
}

void Main::buildRegions() {
    Banner = new QLabel(this);
    Banner->setObjectName(QStringLiteral("Banner"));
    Banner->setGeometry(0, 0, 700, 80);
    Banner->setPixmap(QPixmap(QStringLiteral(":/pictures/banner.png")));

    const auto frame = [this](const char* name, const char* caption, int left, int top, int width,
                              int height) {
        auto* box =
            placed(new QGroupBox(QString::fromLatin1(caption), this), left, top, width, height);
        box->setObjectName(QString::fromLatin1(name));
        return box;
    };
    Frame7 = frame("Frame7", "Navigation Menu", 120, 1320, 2535, 1935);
    Frame11 = frame("Frame11", "Schedule Details", 120, 3360, 2535, 2775);
    Frame8 = frame("Frame8", "Automatic Commands", 2760, 1320, 7455, 4815);
    Frame5 = frame("Frame5", "Ostrel Wireless Technologies", 2760, 1320, 7455, 4815);
    Frame5->hide();
    Frame13 = frame("Frame13", "Schedule Countdown", 120, 6240, 10095, 615);
}

void Main::buildNavigation() {
    const auto openConsole = [this] {
        if (showSoundConsole)
            showSoundConsole();
    };
    const auto launch = [this](const QString& path) {
        LaunchApp(path);
    };
    const auto exitApplication = [this] {
        close();
    };
    navigation =
        new Navigation(Navigation::Links{*this, *Frame7, *Frame8, *Frame5, m_services.programFolder,
                                         launch, openConsole, exitApplication});
    Label49 = navigation->Label49;
    Label48 = navigation->Label48;
    Label28 = navigation->Label28;
    Label9 = navigation->Label9;
    Label47 = navigation->Label47;
    Label8 = navigation->Label8;

    const auto exitProgram = [this] {
        mnuExit_Click();
    };
    tray = new TrayMenu(TrayMenu::Links{*this, m_services.tray, openConsole, exitProgram});
    setCleanupStep(CleanupStep::RemoveTrayIcon, [this] { tray->removeIcon(); });
}

nocturnia::utimerCTL* Main::intervalTimer(const QString& name) {
    auto* timer = new nocturnia::utimerCTL(m_services.timers, *m_controlErrors, this);
    timer->setObjectName(name);
    timer->readProperties(m_design.value(name));
    return timer;
}

void Main::buildSubsystems() {
    Timer4 = intervalTimer(QStringLiteral("Timer4"));
    Snooze = intervalTimer(QStringLiteral("Snooze"));

    page = new AutomaticCommandsPage(
        *Frame8,
        AutomaticCommandsPage::Links{
            m_services.dialogs, [this](const QString& path) { LaunchApp(path); },
            [this](bool speedMethod) { setMethodHeight(speedMethod); }, fields, *m_secondTimers});
    details = std::make_unique<ScheduleDetails>(*Frame11, *Frame13);
    alarm = std::make_unique<WakeUpAlarm>(WakeUpAlarm::Links{
        *page->Frame2, m_services.player, m_services.dialogs, m_services.programFolder, m_windows,
        [this] { return details->Label4->text(); }, *Snooze});
    m_commands = std::make_unique<CommandOperations>(
        CommandOperations::Links{*page, m_services.power, *alarm, m_windows});
    schedule = new ScheduleEvaluation(
        ScheduleEvaluation::Links{*page, *details, fields, speed, *Timer4, *alarm, *m_commands,
                                  [this]() -> std::optional<qint32> {
                                      if (!KiroXPDTPicker1)
                                          return std::nullopt;
                                      bool ok = false;
                                      const qint32 value =
                                          KiroXPDTPicker1->property("Value").toInt(&ok);
                                      return ok ? std::optional<qint32>(value) : std::nullopt;
                                  },
                                  *m_secondTimers, m_services.clock, m_services.conventions},
        this);
    wireless = new WirelessPage(
        *Frame5,
        WirelessPage::Links{m_services.dialogs, m_services.settings, m_services.runList,
                            m_services.folder, m_services.listener, *m_commands, m_services.timers,
                            m_services.clock, m_services.programFolder, m_services.executableName});
    wireless->Run_At_StartUp1->readProperties(m_design.value(QStringLiteral("Run_At_StartUp1")),
                                              font());
    DisplayTurnTimers secondTicks(*m_secondTimers);
    network = new SpeedSampling(SpeedSampling::Links{*this, *page->lblDSpeed, *page->lblUSpeed,
                                                     speed, m_services.settings,
                                                     m_services.interfaces, secondTicks});
    connect(&Text7, &StateField::changed, this, &Main::Text7_Change);
}

void Main::setMethodHeight(bool speedMethod) {
    // The speed method needs no countdown: the strip below the pages leaves the window.
    setFixedHeight(speedMethod ? Frame13->y() : conv::twipsToPixels(6945));
}

void Main::Form_Load() {
    LoadSequence load;
    load.add(QStringLiteral("icon"), [this] {
        SetAppIcon(this, QStringLiteral("AAA"), true);
        return !windowIcon().isNull();
    });
    load.add(QStringLiteral("hide"), [this] {
        hide();
        return true;
    });
    load.add(QStringLiteral("splash"), [this] {
        m_splash = new Splash(*this, m_services.timers);
        m_windows.add(m_splash);
        m_splash->show();
        return true;
    });
    load.add(QStringLiteral("date picker"), [this] { return loadDatePicker(); });
    load.add(QStringLiteral("folder"), [this] { return wireless->readFolder(); });
    load.add(QStringLiteral("tidelink"), [this] { return wireless->readTidelink(); });
    load.add(QStringLiteral("farcall"), [this] { return wireless->readFarcall(); });
    load.add(QStringLiteral("command list"), [this] { return fillCommandList(); });
    load.add(QStringLiteral("power controller"), [this] {
        m_commands->createPowerController();
        return true;
    });
    load.add(QStringLiteral("connection list"), [this] { return network->fillConnectionList(); });
    load.add(QStringLiteral("time picker"), [this] {
        page->DT->setTime(m_services.clock.now().time());
        return true;
    });
    load.add(QStringLiteral("sockets"), [this] { return wireless->farcall->createSenders(); });
    load.add(QStringLiteral("listening"), [this] { return wireless->farcall->startListening(); });
    m_loadReport = load.run();

    // Timers enabled at design start with the window.
    schedule->Timer3->start();
    schedule->Timer10->start();
    network->Timer1->start();
}

bool Main::loadDatePicker() {
    QString error;
    QWidget* picker = m_services.controls.createControl(
        QStringLiteral("KiroXPControls2.KiroXPDTPicker"), page->Frame12, &error);
    if (!picker) {
        // Without a date the schedule would stay armed and never fire: say so once and use
        // Qt's own date field instead.
        qCWarning(lcMain) << "no date picker:" << error;
        m_services.dialogs.warning(
            this, QStringLiteral("Nocturnia"),
            QStringLiteral("The date picker could not be loaded from %1:\n%2\n\nA plain date "
                           "field takes its place.")
                .arg(QDir::toNativeSeparators(m_services.programFolder +
                                              QStringLiteral("/libdatora.so")),
                     error));
        picker = new FallbackDatePicker(page->Frame12);
    }
    const bool fromLibrary = !qobject_cast<FallbackDatePicker*>(picker);
    KiroXPDTPicker1 = picker;
    picker->setObjectName(QStringLiteral("KiroXPDTPicker1"));
    picker->setGeometry(4, 22, 120, 21);
    // Named by its caption for a screen reader, and so is the field it is typed into (the
    // control's own child: the library's, or the plain date field's).
    const QString caption = QStringLiteral("Select Schedule Date");
    picker->setAccessibleName(caption);
    for (QLineEdit* field : picker->findChildren<QLineEdit*>())
        field->setAccessibleName(caption);
    if (auto* hosted = qobject_cast<conv::HostedControl*>(picker)) {
        conv::AmbientProperties ambient;
        ambient.font = font();
        ambient.displayName = picker->objectName();
        hosted->readProperties(m_design.value(picker->objectName()), ambient);
    }
    const QDate today = m_services.clock.now().date();
    picker->setProperty(
        "Text", conv::formatDate(today, QStringLiteral("m/d/yyyy"), m_services.conventions));
    picker->setProperty("Value", conv::toDateSerial(today));
    picker->show();
    if (picker->metaObject()->indexOfSignal("Change()") >= 0)
        connect(picker, SIGNAL(Change()), schedule, SLOT(evaluateNow()));
    return fromLibrary; // the load reports the library's picker missing
}

bool Main::fillCommandList() {
    for (const QString& entry : CommandCatalogue::entries(false))
        page->CmbOption->addItem(entry);
    page->CmbOption->setCurrentIndex(0); // runs the selection handler
    // Hibernation joins the list, in its place after stand-by, once the login manager offers
    // it; the load never waits for the answer.
    modPower::CanHibernate(m_services.power, [window = QPointer<Main>(this)](bool offered) {
        if (!window || !offered)
            return;
        QComboBox* list = window->page->CmbOption;
        if (list->findText(CommandCatalogue::kHibernate) < 0)
            list->insertItem(list->findText(CommandCatalogue::kStandby) + 1,
                             CommandCatalogue::kHibernate);
    });
    return true;
}

void Main::PerformSelectedCommand() {
    m_commands->performSelected();
}

void Main::Text7_Change() {
    if (Text7.text() != QStringLiteral("1"))
        return;
    // Unlike the schedule, the sound trigger leaves the schedule armed, so it can fire again.
    try {
        m_commands->performSelected();
    } catch (const std::exception& e) {
        qCWarning(lcMain) << "sound-requested command failed:" << e.what();
    }
    Text7.setText(QStringLiteral("0"));
}

Form1* Main::soundConsole() const {
    auto* console = static_cast<Form1*>(m_soundConsole.data());
    // A closed console is unloaded and only waits to be deleted.
    return console && console->loaded() ? console : nullptr;
}

void Main::openSoundConsole() {
    if (!soundConsole()) {
        // A closed one waiting for its deletion goes now, before the timers it holds could.
        delete m_soundConsole;
        auto* console = new Form1(Form1::Links{m_services.timers, m_services.settings,
                                               m_services.dialogs, m_services.audio, Text7});
        m_soundConsole = console;
        m_windows.add(console);
        console->Form_Load();
    }
    m_soundConsole->show();
    m_soundConsole->raise();
    m_soundConsole->activateWindow();
}

void Main::LaunchApp(const QString& path) {
    m_services.fileOpener.open(path);
}

void Main::setCleanupStep(CleanupStep step, std::function<void()> action) {
    m_cleanupSteps.at(std::size_t(step)) = std::move(action);
}

void Main::mnuExit_Click() {
    cleanup();
}

void Main::cleanup() {
    if (m_unloading)
        return;
    m_unloading = true;
    for (const auto& step : m_cleanupSteps) {
        if (!step)
            continue;
        try {
            step();
        } catch (const std::exception& e) {
            qCWarning(lcMain) << "cleanup step failed:" << e.what();
        }
    }
    m_windows.closeAll();
    for (conv::Timer* timer : {schedule->Timer3.get(), schedule->Timer10.get(), page->Timer2.get(),
                               network->Timer1.get()})
        timer->stop();
    Timer4->setEnabled(false);
    Snooze->setEnabled(false);
    hide();
    Q_EMIT unloaded();
}

void Main::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1)
        navigation->openHelp();
    QWidget::keyPressEvent(event);
}

void Main::closeEvent(QCloseEvent* event) {
    cleanup();
    event->accept();
}
