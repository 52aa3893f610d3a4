#include "Main.h"

#include "AppIcon.h"
#include "ClickableLabel.h"
#include "CommandCatalogue.h"
#include "CommandExecutor.h"
#include "ControlLoader.h"
#include "Dialogs.h"
#include "ErrorMessageSink.h"
#include "FileOpener.h"
#include "FolderChooser.h"
#include "ScreenCentre.h"
#include "SettingConversion.h"
#include "SettingsStore.h"
#include "SilentAlarm.h"
#include "Splash.h"
#include "conventions/Clock.h"
#include "conventions/ControlHosting.h"
#include "conventions/DatePattern.h"
#include "conventions/DateSerial.h"
#include "conventions/StoredDesign.h"
#include "conventions/Timer.h"
#include "conventions/Twips.h"
#include "modPower.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QMetaMethod>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTimeEdit>

Q_LOGGING_CATEGORY(lcMain, "nocturnia.main")

namespace {

const QString kApplication = QStringLiteral("Nocturnia");
const QString kSettingsSection = QStringLiteral("Settings");

template <class W> W* placed(W* widget, int left, int top, int width, int height) {
    widget->setGeometry(conv::twipsRect(left, top, width, height));
    return widget;
}

QLabel* label(const QString& text, QWidget* parent, int x, int y) {
    auto* l = new QLabel(text, parent);
    l->move(x, y);
    l->adjustSize();
    return l;
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
    , WindowsMediaPlayer1(services.player)
    , m_services(std::move(services))
    , m_design(loadDesign()) {
    m_controlErrors = std::make_unique<ControlErrorMessages>(m_services.dialogs, *this);
    setObjectName(QStringLiteral("Main"));
    setWindowTitle(QStringLiteral("Nocturnia"));
    setFixedSize(conv::twipsToPixels(10320), conv::twipsToPixels(6945));
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    createTimers();
    buildRegions();
    buildNavigation();
    buildScheduleDetails();
    buildCommandPage();
    buildTriggerPage();
    connectSchedule();
    setCleanupStep(CleanupStep::StopPlayer, [this] { alarm->stopPlayer(); });
}

Main::~Main() {
    // The splash hangs on this window and on the timer source; it cannot outlive them.
    delete m_splash;
    delete m_silentAlarm;
}

void Main::buildRegions() {
    Banner = new QLabel(this);
    Banner->setObjectName(QStringLiteral("Banner"));
    Banner->setGeometry(0, 0, 700, 80);
    Banner->setPixmap(QPixmap(QStringLiteral(":/pictures/banner.png")));

    const QString folder = m_services.programFolder;
    Label49 = placed(new ClickableLabel(QString(), this), 7320, 120, 1455, 375);
    Label48 = placed(new ClickableLabel(QString(), this), 8880, 120, 1335, 375);
    connect(Label49, &ClickableLabel::clicked, this,
            [this, folder] { LaunchApp(folder + QStringLiteral("/Help.chm")); });
    connect(Label48, &ClickableLabel::clicked, this,
            [this, folder] { LaunchApp(folder + QStringLiteral("/Leafwise Campaign.pdf")); });

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
    const struct {
        ClickableLabel** label;
        const char* caption;
        QStyle::StandardPixmap icon;
    } links[] = {
        {&Label28, "Automatic Commands", QStyle::SP_ComputerIcon},
        {&Label9, "Wireless Technologies", QStyle::SP_DriveNetIcon},
        {&Label47, "Sound Activation Console", QStyle::SP_MediaVolume},
        {&Label8, "Exit Application", QStyle::SP_DialogCloseButton},
    };
    int y = 24;
    for (const auto& link : links) {
        auto* icon = new QLabel(Frame7);
        icon->setPixmap(style()->standardIcon(link.icon).pixmap(16, 16));
        icon->setGeometry(10, y, 16, 16);
        *link.label = new ClickableLabel(QString::fromLatin1(link.caption), Frame7);
        (*link.label)->move(32, y);
        (*link.label)->adjustSize();
        y += 25;
    }
    connect(Label28, &ClickableLabel::clicked, this, [this] {
        Frame8->show();
        Frame5->hide();
    });
    connect(Label9, &ClickableLabel::clicked, this, [this] {
        Frame8->hide();
        Frame5->show();
    });
    connect(Label8, &ClickableLabel::clicked, this, &QWidget::close);
}

void Main::buildScheduleDetails() {
    const int valueX = 88;
    label(QStringLiteral("Current Date:"), Frame11, 10, 24);
    Label7 = label(QStringLiteral("00/00/0000"), Frame11, valueX, 24);
    label(QStringLiteral("Current Time:"), Frame11, 10, 48);
    Label1 = label(QStringLiteral("00:00:00 AM"), Frame11, valueX, 48);
    Label17 = label(QStringLiteral("Schedule Date:"), Frame11, 10, 88);
    Label15 = label(QStringLiteral("00/00/00"), Frame11, valueX, 88);
    Label18 = label(QStringLiteral("Schedule Time:"), Frame11, 10, 112);
    Label4 = label(QStringLiteral("12:00:00 AM"), Frame11, valueX, 112);
    for (QLabel* value : {Label7, Label1, Label15, Label4})
        value->setFixedWidth(Frame11->width() - valueX - 6);

    Label35 = new QLabel(QStringLiteral("This schedule point has been reached!"), Frame13);
    Label35->setGeometry(10, 18, Frame13->width() - 20, 18);
}

void Main::buildCommandPage() {
    page = new AutomaticCommandsPage(
        *Frame8, AutomaticCommandsPage::Links{
                     m_services.dialogs, [this](const QString& path) { LaunchApp(path); },
                     [this](bool speedMethod) { setMethodHeight(speedMethod); }, *Timer2, Label5,
                     lblActive, Text8});
    alarm = std::make_unique<WakeUpAlarm>(WakeUpAlarm::Links{
        *page->Frame2, WindowsMediaPlayer1, m_services.dialogs, m_services.programFolder, Text10,
        [this] { return Label4->text(); }, *Snooze});
    DT = new QTimeEdit(page->Frame12);
    DT->setObjectName(QStringLiteral("DT"));
    DT->setDisplayFormat(QStringLiteral("h:mm:ss AP"));
    DT->setGeometry(200, 22, 120, 22);
}

void Main::setMethodHeight(bool speedMethod) {
    // The speed method needs no countdown: the strip below the pages leaves the window.
    setFixedHeight(speedMethod ? Frame13->y() : conv::twipsToPixels(6945));
}

void Main::buildTriggerPage() {
    auto* folderPanel = new QFrame(Frame5);
    folderPanel->setObjectName(QStringLiteral("Frame1"));
    folderPanel->setFrameShape(QFrame::StyledPanel);
    folderPanel->setGeometry(8, 22, Frame5->width() - 16, 96);
    label(QStringLiteral("Browse For Transfers Incoming Folder:"), folderPanel, 8, 8);
    BrowseFolder1 = new FolderChooser(
        m_services.dialogs, QStringLiteral("Browse For Transfers Incoming Folder"), folderPanel);
    BrowseFolder1->setGeometry(8, 28, folderPanel->width() - 16, 26);
    Check1 = new QCheckBox(QStringLiteral("Enable Tidelink Technology"), folderPanel);
    Check1->move(8, 64);
    Check1->adjustSize();

    auto* networkPanel = new QFrame(Frame5);
    networkPanel->setObjectName(QStringLiteral("Frame6"));
    networkPanel->setFrameShape(QFrame::StyledPanel);
    networkPanel->setGeometry(8, 126, Frame5->width() - 16, 64);
    label(QStringLiteral("Farcall Mobile Reaction:"), networkPanel, 8, 8);
    Check6 = new QCheckBox(QStringLiteral("Enable Farcall Mobile Technology"), networkPanel);
    Check6->move(8, 32);
    Check6->adjustSize();
}

void Main::createTimers() {
    // In the order their ticks must run within a second: display, countdown, schedule test.
    Timer3 = m_secondTimers->createTimer();
    Timer10 = m_secondTimers->createTimer();
    Timer2 = m_secondTimers->createTimer();
    Timer1 = m_services.timers.createTimer();
    Timer5 = m_services.timers.createTimer();
    Timer6 = m_services.timers.createTimer();
    Timer8 = m_services.timers.createTimer();
    const std::pair<conv::Timer*, int> design[] = {
        {Timer1.get(), 1000}, {Timer2.get(), 1},   {Timer3.get(), 10},  {Timer10.get(), 500},
        {Timer5.get(), 500},  {Timer6.get(), 100}, {Timer8.get(), 100},
    };
    for (const auto& [timer, interval] : design)
        timer->setInterval(interval);

    const auto intervalTimer = [this](const QString& name) {
        auto* timer = new nocturnia::utimerCTL(m_services.timers, *m_controlErrors, this);
        timer->setObjectName(name);
        timer->readProperties(m_design.value(name));
        return timer;
    };
    Timer4 = intervalTimer(QStringLiteral("Timer4"));
    Snooze = intervalTimer(QStringLiteral("Snooze"));
}

void Main::connectSchedule() {
    schedule = new ScheduleEvaluation(
        ScheduleEvaluation::Links{*page,
                                  *Label7,
                                  *Label1,
                                  *Label15,
                                  *Label4,
                                  *Label17,
                                  *Label18,
                                  *Label35,
                                  Label43,
                                  Label44,
                                  Label10,
                                  Text8,
                                  Text9,
                                  Label37,
                                  Label42,
                                  Label5,
                                  lblActive,
                                  *Timer2,
                                  *Timer10,
                                  *Timer4,
                                  *alarm->dcButton2,
                                  *alarm->Custom,
                                  *DT,
                                  [this]() -> std::optional<qint32> {
                                      if (!KiroXPDTPicker1)
                                          return std::nullopt;
                                      bool ok = false;
                                      const qint32 value =
                                          KiroXPDTPicker1->property("Value").toInt(&ok);
                                      return ok ? std::optional<qint32>(value) : std::nullopt;
                                  },
                                  [this] { PerformSelectedCommand(); },
                                  m_services.clock,
                                  m_services.conventions},
        this);
    connect(Timer3.get(), &conv::Timer::timeout, schedule, &ScheduleEvaluation::Timer3_Timer);
    connect(Timer10.get(), &conv::Timer::timeout, schedule, &ScheduleEvaluation::Timer10_Timer);
    connect(Timer2.get(), &conv::Timer::timeout, schedule, &ScheduleEvaluation::Timer2_Timer);

    // A changed input shows, and is tested, at once rather than at the next second.
    const auto now = [this] {
        schedule->evaluateNow();
    };
    connect(page->CmbOption, &QComboBox::currentTextChanged, schedule, now);
    connect(page->Combo1, &QComboBox::currentTextChanged, schedule, now);
    connect(page->Combo2, &QComboBox::currentTextChanged, schedule, now);
    connect(page->Option5, &QRadioButton::clicked, schedule, now);
    connect(page->Option6, &QRadioButton::clicked, schedule, [this] {
        // The speed method stops the countdown; coming back to the date and time restarts it.
        Timer10->setEnabled(true);
        schedule->evaluateNow();
    });
    connect(page->CmdActive, &QPushButton::clicked, schedule, now);
    connect(DT, &QTimeEdit::timeChanged, schedule, now);
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
        m_splash->show();
        return true;
    });
    load.add(QStringLiteral("date picker"), [this] { return loadDatePicker(); });
    load.add(QStringLiteral("folder"), [this] {
        BrowseFolder1->setPath(m_services.settings.read(
            kApplication, kSettingsSection, QStringLiteral("Folder"), BrowseFolder1->path()));
        return true;
    });
    load.add(QStringLiteral("tidelink"),
             [this] { return readCheckSetting(Check1, QStringLiteral("Tidelink")); });
    load.add(QStringLiteral("farcall"),
             [this] { return readCheckSetting(Check6, QStringLiteral("FarcallMobile")); });
    load.add(QStringLiteral("command list"), [this] { return fillCommandList(); });
    load.add(QStringLiteral("power controller"), [this] {
        m_power = std::make_unique<CPower>(m_services.power);
        return true;
    });
    load.add(QStringLiteral("time picker"), [this] {
        DT->setTime(m_services.clock.now().time());
        return true;
    });
    m_loadReport = load.run();

    // Timers enabled at design start with the window.
    for (conv::Timer* timer :
         {Timer1.get(), Timer3.get(), Timer10.get(), Timer5.get(), Timer6.get(), Timer8.get()})
        timer->start();
}

bool Main::loadDatePicker() {
    QString error;
    QWidget* picker = m_services.controls.createControl(
        QStringLiteral("KiroXPControls2.KiroXPDTPicker"), page->Frame12, &error);
    if (!picker) {
        qCInfo(lcMain) << "no date picker:" << error;
        return false;
    }
    KiroXPDTPicker1 = picker;
    picker->setObjectName(QStringLiteral("KiroXPDTPicker1"));
    picker->setGeometry(4, 22, 120, 21);
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
    return true;
}

bool Main::fillCommandList() {
    const bool canHibernate = modPower::CanHibernate(m_services.power);
    for (const QString& entry : CommandCatalogue::entries(canHibernate))
        page->CmbOption->addItem(entry);
    page->CmbOption->setCurrentIndex(0); // runs the selection handler
    return true;
}

namespace {

// The operations behind the catalogue's commands, on this window.
class MainCommandTargets final : public CommandTargets {
public:
    MainCommandTargets(AutomaticCommandsPage& page, CPower* power, WakeUpAlarm& alarm,
                       std::function<void()> showNotification)
        : m_page(page)
        , m_power(power)
        , m_alarm(alarm)
        , m_showNotification(std::move(showNotification)) {}
    QString selectedCommand() const override { return m_page.CmbOption->currentText(); }
    bool forceFlag() const override { return m_page.chkForce->checkState() != Qt::Unchecked; }
    void shutDown(int kind, bool force) override {
        if (m_power)
            m_power->ShutDown(kind, force);
    }
    void testRunFile() override { m_page.Command2_Click(); }
    void toggleSchedule() override { m_page.CmdActive_Click(); }
    void showNotification() override { m_showNotification(); }
    void soundWakeUpAlarm() override { m_alarm.SoundWakeUpAlarm(); }

private:
    AutomaticCommandsPage& m_page;
    CPower* m_power;
    WakeUpAlarm& m_alarm;
    std::function<void()> m_showNotification;
};

} // namespace

void Main::PerformSelectedCommand() {
    MainCommandTargets targets(*page, m_power.get(), *alarm, [this] { showNotification(); });
    ::PerformSelectedCommand(targets);
}

void Main::showNotification() {
    // One window: while it is open it keeps the texts it was loaded with.
    if (!m_silentAlarm)
        m_silentAlarm = new SilentAlarm(page->Text11->text(), page->Text12->toPlainText());
    m_silentAlarm->show();
    m_silentAlarm->raise();
}

bool Main::readCheckSetting(QCheckBox* box, const QString& key) {
    const int current = box->checkState() == Qt::Checked            ? 1
                        : box->checkState() == Qt::PartiallyChecked ? 2
                                                                    : 0;
    const auto value = checkValueFromSetting(
        m_services.settings.read(kApplication, kSettingsSection, key, QString::number(current)));
    if (!value)
        return false;
    box->setCheckState(*value == 1   ? Qt::Checked
                       : *value == 2 ? Qt::PartiallyChecked
                                     : Qt::Unchecked);
    return true;
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
    // Every other window of the program is an unowned top-level window.
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        if (window != this && !window->parentWidget())
            window->close();
    }
    for (conv::Timer* timer : {Timer1.get(), Timer2.get(), Timer3.get(), Timer10.get(),
                               Timer5.get(), Timer6.get(), Timer8.get()})
        timer->stop();
    Timer4->setEnabled(false);
    Snooze->setEnabled(false);
    hide();
    Q_EMIT unloaded();
}

void Main::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1)
        LaunchApp(m_services.programFolder + QStringLiteral("/Help.chm"));
    QWidget::keyPressEvent(event);
}

void Main::closeEvent(QCloseEvent* event) {
    cleanup();
    event->accept();
}

void Main::showEvent(QShowEvent* event) {
    if (!m_centred) {
        m_centred = true;
        centreOnScreen(*this);
    }
    QWidget::showEvent(event);
}
