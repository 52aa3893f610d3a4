#include "ScheduleEvaluation.h"

#include "AutomaticCommandsPage.h"
#include "CommandCatalogue.h"
#include "ElapsedText.h"
#include "StateField.h"
#include "conventions/Clock.h"
#include "conventions/DatePattern.h"
#include "conventions/DateSerial.h"
#include "conventions/NumericText.h"
#include "conventions/TimeText.h"
#include "conventions/Timer.h"
#include "utimerCTL.h"

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
    , m_links(std::move(links)) {
    connect(&m_links.Timer4, &nocturnia::utimerCTL::Timer, this, &ScheduleEvaluation::Timer4_Timer);
}

bool ScheduleEvaluation::timeAndDate() const {
    return m_links.page.Option6->isChecked();
}

bool ScheduleEvaluation::speed() const {
    return m_links.page.Option5->isChecked();
}

std::optional<QDateTime> ScheduleEvaluation::read(const QString& text) const {
    return conv::readDateTimeText(text, m_links.conventions);
}

void ScheduleEvaluation::Timer3_Timer() {
    Links& l = m_links;
    if (timeAndDate()) {
        l.Label17.setText(QStringLiteral("Schedule Date:"));
        l.Label18.setText(QStringLiteral("Schedule Time:"));
        if (const auto date = l.scheduleDate())
            l.Label15.setText(
                conv::formatDate(conv::fromDateSerial(*date), kDatePattern, l.conventions));
        l.Label4.setText(conv::formatLongTime(l.DT.time(), l.conventions));
    }
    if (speed()) {
        l.Label18.setText(QStringLiteral("Download Speed:"));
        l.Label17.setText(QStringLiteral("Upload Speed:"));
        l.Label4.setText(QStringLiteral("< ") + l.page.Combo1->currentText() +
                         QStringLiteral(" KBs"));
        l.Label15.setText(QStringLiteral("< ") + l.page.Combo2->currentText() +
                          QStringLiteral(" KBs"));
    }
    const QDateTime now = l.clock.now();
    l.Label1.setText(conv::formatLongTime(now.time(), l.conventions));
    l.Label7.setText(conv::formatDate(now.date(), kDatePattern, l.conventions));
    l.page.CmdActive->setEnabled(l.page.CmbOption->currentText() != CommandCatalogue::kPrompt);
    l.dcButton2.setEnabled(l.Custom.isChecked());
}

QString ScheduleEvaluation::TimeElapsed(const QDateTime& BeginTime, const QDateTime& EndTime) {
    if (BeginTime >= EndTime) {
        m_links.Text9.setText(QStringLiteral("1"));
        return {};
    }
    const qint64 seconds = BeginTime.secsTo(EndTime);
    m_links.Text9.setText(QStringLiteral("0"));
    return nocturnia::elapsedText(seconds);
}

void ScheduleEvaluation::Timer10_Timer() {
    Links& l = m_links;
    if (!timeAndDate())
        return;
    // Both moments are read back from the displayed texts, so both are whole seconds.
    const auto now = read(l.Label7.text() + QLatin1Char(' ') + l.Label1.text());
    const auto scheduled = read(l.Label15.text() + QLatin1Char(' ') + l.Label4.text());
    if (!now || !scheduled)
        return; // not dates yet: no countdown
    const QString left = TimeElapsed(*now, *scheduled);
    l.Label10.setText(left);
    const double reached = l.Text9.number();
    if (reached == 0) {
        const QString command = l.page.CmbOption->currentText();
        l.Label35.setText(
            l.page.isArmed() ? command + QStringLiteral(", will occur in: ") + left
                             : command + QStringLiteral(", if scheduled, would occur in: ") + left);
    }
    if (reached == 1)
        l.Label35.setText(QStringLiteral("This schedule point has been reached!"));
}

void ScheduleEvaluation::Timer2_Timer() {
    Links& l = m_links;
    l.Label43.setText(l.Label1.text() + QLatin1Char(' ') + l.Label7.text());
    l.Label44.setText(l.Label4.text() + QLatin1Char(' ') + l.Label15.text());
    bool fire = false;
    if (speed()) {
        const double downloadLimit = conv::leadingNumber(l.page.Combo1->currentText());
        const double uploadLimit = conv::leadingNumber(l.page.Combo2->currentText());
        const double download = l.Label37.number();
        const double upload = l.Label42.number();
        if (downloadLimit > download && uploadLimit > upload)
            l.Timer4.setEnabled(true); // already counting: the five minutes run on
        if (downloadLimit < download || uploadLimit < upload)
            l.Timer4.setEnabled(false); // a figure above its threshold discards the count
        l.Timer10.setEnabled(false);
        l.Label35.setText(
            l.page.CmbOption->currentText() + QStringLiteral(" will occur when DL is less then ") +
            l.page.Combo1->currentText() + QStringLiteral(" KBs and UP is less then ") +
            l.page.Combo2->currentText() + QStringLiteral(" KBs"));
        const double met = l.Text8.number();
        if (met == 1)
            fire = true;
        if (met == 0)
            fire = false;
    }
    if (timeAndDate())
        fire = l.Label43.text() == l.Label44.text();
    if (!fire)
        return;

    l.performSelectedCommand();
    // The closing steps run whatever the command did.
    l.page.CmdActive->setText(QStringLiteral("Schedule Command"));
    l.Label5.setText(QStringLiteral("Inactive"));
    l.lblActive.setText(QStringLiteral("The Trigger Is Deactivated"));
    l.Text8.setText(QStringLiteral("0"));
    l.Timer2.setEnabled(false);
}

void ScheduleEvaluation::Timer4_Timer() {
    m_links.Text8.setText(QStringLiteral("1"));
    m_links.Timer4.setEnabled(false);
}

void ScheduleEvaluation::evaluateNow() {
    Timer3_Timer();
    if (m_links.Timer10.isActive())
        Timer10_Timer();
    if (m_links.Timer2.isActive())
        Timer2_Timer();
}
