#include "schedule/ScheduleEvaluation.h"

#include "base/SpeedFigures.h"
#include "commands/CommandCatalogue.h"
#include "commands/CommandOperations.h"
#include "commands/WakeUpAlarm.h"
#include "controls/utimerCTL.h"
#include "conventions/Clock.h"
#include "conventions/DatePattern.h"
#include "conventions/DateSerial.h"
#include "conventions/NumericText.h"
#include "conventions/TimeText.h"
#include "conventions/Timer.h"
#include "schedule/AutomaticCommandsPage.h"
#include "schedule/ElapsedText.h"
#include "schedule/ScheduleDetails.h"
#include "schedule/ScheduleFields.h"
#include "schedule/SecondTimers.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimeEdit>

namespace {
const QString kDatePattern = QStringLiteral("m/d/yyyy");
}

ScheduleEvaluation::ScheduleEvaluation(Links links, QObject* parent)
    : QObject(parent)
    , Timer3(links.secondTimers.createTimer(SecondTimers::DisplayTurn))
    , Timer10(links.secondTimers.createTimer(SecondTimers::CountdownTurn))
    , m_links(std::move(links)) {
    Timer3->setInterval(10);
    Timer10->setInterval(500);
    connect(Timer3.get(), &conv::Timer::timeout, this, &ScheduleEvaluation::Timer3_Timer);
    connect(Timer10.get(), &conv::Timer::timeout, this, &ScheduleEvaluation::Timer10_Timer);
    connect(m_links.page.Timer2.get(), &conv::Timer::timeout, this,
            &ScheduleEvaluation::Timer2_Timer);
    connect(&m_links.Timer4, &nocturnia::utimerCTL::Timer, this, &ScheduleEvaluation::Timer4_Timer);
    connectInputs();
}

ScheduleEvaluation::~ScheduleEvaluation() = default;

void ScheduleEvaluation::connectInputs() {
    // A changed input shows, and is tested, at once rather than at the next second.
    AutomaticCommandsPage& page = m_links.page;
    const auto now = [this] {
        evaluateNow();
    };
    connect(page.CmbOption, &QComboBox::currentTextChanged, this, now);
    connect(page.Combo1, &QComboBox::currentTextChanged, this, now);
    connect(page.Combo2, &QComboBox::currentTextChanged, this, now);
    connect(page.Option5, &QRadioButton::clicked, this, now);
    connect(page.Option6, &QRadioButton::clicked, this, [this] {
        // The speed method stops the countdown; coming back to the date and time restarts it.
        Timer10->setEnabled(true);
        evaluateNow();
    });
    connect(page.CmdActive, &QPushButton::clicked, this, now);
    connect(page.DT, &QTimeEdit::timeChanged, this, now);
}

bool ScheduleEvaluation::timeAndDate() const {
    return m_links.page.Option6->isChecked();
}

bool ScheduleEvaluation::speed() const {
    return m_links.page.Option5->isChecked();
}

std::optional<QDateTime> ScheduleEvaluation::read(const QString& dateText,
                                                  const QString& timeText) const {
    // The date is read with the very pattern that wrote it: the locale's own date order
    // would take 12/10 for the 12th of October.
    const auto date = conv::readDate(dateText, kDatePattern, m_links.conventions);
    const auto time = conv::readDateTimeText(timeText, m_links.conventions);
    if (!date || !time || time->date() != conv::fromDateSerial(0))
        return std::nullopt;
    return QDateTime(*date, time->time(), Qt::UTC);
}

void ScheduleEvaluation::Timer3_Timer() {
    Links& l = m_links;
    ScheduleDetails& d = l.details;
    if (timeAndDate()) {
        d.Label17->setText(QStringLiteral("Schedule Date:"));
        d.Label18->setText(QStringLiteral("Schedule Time:"));
        if (const auto date = l.scheduleDate())
            d.Label15->setText(
                conv::formatDate(conv::fromDateSerial(*date), kDatePattern, l.conventions));
        d.Label4->setText(conv::formatLongTime(l.page.DT->time(), l.conventions));
    }
    if (speed()) {
        d.Label18->setText(QStringLiteral("Download Speed:"));
        d.Label17->setText(QStringLiteral("Upload Speed:"));
        d.Label4->setText(QStringLiteral("< ") + l.page.Combo1->currentText() +
                          QStringLiteral(" KBs"));
        d.Label15->setText(QStringLiteral("< ") + l.page.Combo2->currentText() +
                           QStringLiteral(" KBs"));
    }
    const QDateTime now = l.clock.now();
    d.Label1->setText(conv::formatLongTime(now.time(), l.conventions));
    d.Label7->setText(conv::formatDate(now.date(), kDatePattern, l.conventions));
    l.page.CmdActive->setEnabled(l.page.CmbOption->currentText() != CommandCatalogue::kPrompt);
    l.alarm.dcButton2->setEnabled(l.alarm.isCustomSelected());
}

QString ScheduleEvaluation::TimeElapsed(const QDateTime& BeginTime, const QDateTime& EndTime) {
    if (BeginTime >= EndTime) {
        Text9.setText(QStringLiteral("1"));
        return {};
    }
    const qint64 seconds = BeginTime.secsTo(EndTime);
    Text9.setText(QStringLiteral("0"));
    return nocturnia::elapsedText(seconds);
}

void ScheduleEvaluation::Timer10_Timer() {
    Links& l = m_links;
    ScheduleDetails& d = l.details;
    if (!timeAndDate())
        return;
    // Both moments are read back from the displayed texts, so both are whole seconds.
    const auto now = read(d.Label7->text(), d.Label1->text());
    const auto scheduled = read(d.Label15->text(), d.Label4->text());
    if (!now || !scheduled)
        return; // not dates yet: no countdown
    const QString left = TimeElapsed(*now, *scheduled);
    Label10.setText(left);
    const double reached = Text9.number();
    if (reached == 0) {
        const QString command = l.page.CmbOption->currentText();
        d.Label35->setText(
            l.page.isArmed() ? command + QStringLiteral(", will occur in: ") + left
                             : command + QStringLiteral(", if scheduled, would occur in: ") + left);
    }
    if (reached == 1)
        d.Label35->setText(QStringLiteral("This schedule point has been reached!"));
}

void ScheduleEvaluation::Timer2_Timer() {
    Links& l = m_links;
    ScheduleDetails& d = l.details;
    Label43.setText(d.Label1->text() + QLatin1Char(' ') + d.Label7->text());
    Label44.setText(d.Label4->text() + QLatin1Char(' ') + d.Label15->text());
    bool fire = false;
    if (speed()) {
        const double downloadLimit = conv::leadingNumber(l.page.Combo1->currentText());
        const double uploadLimit = conv::leadingNumber(l.page.Combo2->currentText());
        const double download = l.speed.Label37.number();
        const double upload = l.speed.Label42.number();
        if (downloadLimit > download && uploadLimit > upload)
            l.Timer4.setEnabled(true); // already counting: the five minutes run on
        if (downloadLimit < download || uploadLimit < upload)
            l.Timer4.setEnabled(false); // a figure above its threshold discards the count
        Timer10->setEnabled(false);
        d.Label35->setText(
            l.page.CmbOption->currentText() + QStringLiteral(" will occur when DL is less then ") +
            l.page.Combo1->currentText() + QStringLiteral(" KBs and UP is less then ") +
            l.page.Combo2->currentText() + QStringLiteral(" KBs"));
        const double met = l.fields.Text8.number();
        if (met == 1)
            fire = true;
        if (met == 0)
            fire = false;
    }
    if (timeAndDate())
        fire = Label43.text() == Label44.text();
    if (!fire)
        return;

    l.commands.performSelected();
    // The closing steps run whatever the command did.
    l.page.CmdActive->setText(QStringLiteral("Schedule Command"));
    l.fields.Label5.setText(QStringLiteral("Inactive"));
    l.fields.lblActive.setText(QStringLiteral("The Trigger Is Deactivated"));
    l.fields.Text8.setText(QStringLiteral("0"));
    l.page.Timer2->setEnabled(false);
}

void ScheduleEvaluation::Timer4_Timer() {
    m_links.fields.Text8.setText(QStringLiteral("1"));
    m_links.Timer4.setEnabled(false);
}

void ScheduleEvaluation::evaluateNow() {
    Timer3_Timer();
    if (Timer10->isActive())
        Timer10_Timer();
    if (m_links.page.Timer2->isActive())
        Timer2_Timer();
}
