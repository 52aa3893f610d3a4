#include "controls/utimerCTL.h"

#include "base/ErrorMessageSink.h"
#include "conventions/NumericText.h"

#include <limits>

namespace nocturnia {

namespace {

constexpr int MinuteMs = 60000;
constexpr qint32 MaxInterval = 59999;
constexpr qint16 MinutesPerHour = 60;

bool fitsInt16(qint64 value) {
    return value >= std::numeric_limits<qint16>::min() &&
           value <= std::numeric_limits<qint16>::max();
}

bool fitsInt32(qint64 value) {
    return value >= std::numeric_limits<qint32>::min() &&
           value <= std::numeric_limits<qint32>::max();
}

} // namespace

utimerCTL::utimerCTL(conv::TimerSource& timers, ErrorMessageSink& errors, QObject* parent)
    : QObject(parent)
    , m_timer1(timers.createTimer())
    , m_errors(errors) {
    m_timer1->setInterval(1);
    connect(m_timer1.get(), &conv::Timer::timeout, this, &utimerCTL::Timer1_Timer);
}

utimerCTL::~utimerCTL() = default;

void utimerCTL::setTimerMode(qint32 mode) {
    if (mode != 0 && mode != 1)
        m_errors.showError(InvalidValueMessage);
    m_timerMode = mode;
    Q_EMIT propertyChanged(QStringLiteral("TimerMode"));
    // Writing the mode is how a host starts a stopped one-shot again, even with the same mode.
    if (m_userMode && m_stoppedAfterShot)
        Restart(false);
}

void utimerCTL::setInterval(qint32 milliseconds) {
    if (milliseconds > MaxInterval || milliseconds == m_interval)
        return;
    m_interval = milliseconds;
    acceptChange(QStringLiteral("Interval"));
}

void utimerCTL::setMinuteInterval(qint16 minutes) {
    if (minutes >= MinutesPerHour || minutes == m_minuteInterval ||
        !totalFitsOrShowError(m_hourInterval, minutes))
        return;
    m_minuteInterval = minutes;
    acceptChange(QStringLiteral("MinuteInterval"));
}

void utimerCTL::setHourInterval(qint16 hours) {
    if (hours == m_hourInterval || !totalFitsOrShowError(hours, m_minuteInterval))
        return;
    m_hourInterval = hours;
    acceptChange(QStringLiteral("HourInterval"));
}

void utimerCTL::setEnabled(bool enabled) {
    // Enabling an enabled control must not restart its count: owners enable it on every tick.
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    acceptChange(QStringLiteral("Enabled"));
}

bool utimerCTL::totalFits(qint32 hours, qint32 minutes) const {
    const qint64 totalMinutes = qint64(hours) * MinutesPerHour + minutes;
    // The hours in minutes and the total in milliseconds must fit the platform timer's
    // arithmetic; the minutes left are counted and reported in 16 bits.
    return fitsInt16(qint64(hours) * MinutesPerHour) && fitsInt32(totalMinutes * MinuteMs) &&
           fitsInt16(totalMinutes);
}

bool utimerCTL::totalFitsOrShowError(qint32 hours, qint32 minutes) {
    if (totalFits(hours, minutes))
        return true;
    m_errors.showError(InvalidValueMessage);
    return false;
}

void utimerCTL::acceptChange(const QString& key) {
    Q_EMIT propertyChanged(key);
    if (m_userMode)
        Restart(false);
}

void utimerCTL::Restart(bool afterShot) {
    ++m_restarts;
    m_timer1->setEnabled(false);
    m_timer1->setInterval(1);
    m_leadInDone = false;
    // A design is loaded without checks; a negative total counts no minutes rather than
    // counting down without end.
    const qint32 total = qint32(m_hourInterval) * MinutesPerHour + m_minuteInterval;
    m_minutesLeft = qint16(qBound(0, total, int(std::numeric_limits<qint16>::max())));
    if (m_interval <= 0 && m_minutesLeft == 0)
        return; // an empty interval never fires
    if (afterShot && m_timerMode == 1) {
        m_stoppedAfterShot = true;
        return;
    }
    m_stoppedAfterShot = false;
    m_timer1->setEnabled(m_enabled);
}

void utimerCTL::Timer1_Timer() {
    if (!m_timer1->isActive())
        return;
    // Off while the tick runs, so that the next interval counts from the tick's end.
    m_timer1->setEnabled(false);

    if (!m_leadInDone && m_interval > 0) {
        m_leadInDone = true;
        m_timer1->setInterval(m_interval);
        m_timer1->setEnabled(true);
        return;
    }

    const qint16 left = m_minutesLeft;
    if (left == 0) {
        // The handler may change the properties; the restart counts with the new values.
        Q_EMIT Timer();
        Restart(true);
        return;
    }

    // From the first minute tick on the ticks are a minute apart, whole hours included:
    // otherwise an interval of whole hours would fire a minute early.
    m_timer1->setInterval(MinuteMs);
    const quint64 restarts = m_restarts;
    if (left > MinutesPerHour)
        Q_EMIT HourAlarm(qint16(conv::roundHalfEven(left / double(MinutesPerHour))));
    // A handler that restarted the count (by writing a property) owns the timer now.
    if (m_restarts != restarts)
        return;
    Q_EMIT MinuteAlarm(left);
    if (m_restarts != restarts)
        return;
    m_minutesLeft = qint16(left - 1);
    m_timer1->setEnabled(true);
}

void utimerCTL::readProperties(const conv::PropertyBag& bag) {
    m_timerMode = bag.readInt32(QStringLiteral("TimerMode"), 0);
    m_interval = bag.readInt32(QStringLiteral("Interval"), 0);
    m_minuteInterval = bag.readInt16(QStringLiteral("MinuteInterval"), 0);
    m_hourInterval = bag.readInt16(QStringLiteral("HourInterval"), 0);
    m_enabled = bag.readBool(QStringLiteral("Enabled"), true);
    if (m_userMode && m_enabled)
        Restart(false);
}

void utimerCTL::writeProperties(conv::PropertyBag& bag) const {
    bag.write(QStringLiteral("TimerMode"), m_timerMode, qint32(0));
    bag.write(QStringLiteral("Interval"), m_interval, qint32(0));
    bag.write(QStringLiteral("MinuteInterval"), m_minuteInterval, qint16(0));
    bag.write(QStringLiteral("HourInterval"), m_hourInterval, qint16(0));
    bag.write(QStringLiteral("Enabled"), m_enabled, true);
}

} // namespace nocturnia
