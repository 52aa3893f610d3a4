#pragma once

#include "conventions/PropertyBag.h"
#include "conventions/Timer.h"

#include <QLatin1String>
#include <QObject>
#include <QString>
#include <memory>

namespace nocturnia {

class ErrorMessageSink;

// Measures intervals of hours and minutes, optionally preceded by a lead-in of milliseconds,
// far beyond what one platform timer interval holds: an inner timer ticks once a minute,
// reports the hours and minutes left and raises Timer when the interval has passed; then the
// count starts over (TimerMode 0) or stops (TimerMode 1). Draws nothing.
class utimerCTL : public QObject {
    Q_OBJECT
    Q_PROPERTY(qint32 TimerMode READ timerMode WRITE setTimerMode)
    Q_PROPERTY(qint32 Interval READ interval WRITE setInterval)
    Q_PROPERTY(qint16 MinuteInterval READ minuteInterval WRITE setMinuteInterval)
    Q_PROPERTY(qint16 HourInterval READ hourInterval WRITE setHourInterval)
    Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled)

public:
    // The control keeps this size whatever its host asks for.
    static constexpr int WidthTwips = 355;
    static constexpr int HeightTwips = 335;
    // The platform's text of the invalid-property-value error.
    static constexpr QLatin1String InvalidValueMessage{"Error 380"};

    utimerCTL(conv::TimerSource& timers, ErrorMessageSink& errors, QObject* parent = nullptr);
    ~utimerCTL() override;

    qint32 timerMode() const { return m_timerMode; }
    // 0 periodic, 1 one-shot; another value shows the error, is kept and counts as periodic.
    void setTimerMode(qint32 mode);
    qint32 interval() const { return m_interval; }
    // The lead-in in milliseconds; more than 59999 is ignored.
    void setInterval(qint32 milliseconds);
    qint16 minuteInterval() const { return m_minuteInterval; }
    // 60 and more are ignored; a total beyond the count's range shows the error.
    void setMinuteInterval(qint16 minutes);
    qint16 hourInterval() const { return m_hourInterval; }
    // A total beyond the count's range shows the error.
    void setHourInterval(qint16 hours);
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);

    // False while the host is being designed: then nothing counts.
    bool userMode() const { return m_userMode; }
    void setUserMode(bool running) { m_userMode = running; }

    bool StoppedAfterShot() const { return m_stoppedAfterShot; }

    // Starts the full interval afresh; after a shot a one-shot stops instead.
    void Restart(bool afterShot);

    // The stored design, without checks; a running, enabled control then starts counting.
    void readProperties(const conv::PropertyBag& bag);
    void writeProperties(conv::PropertyBag& bag) const;

Q_SIGNALS:
    void Timer();
    void HourAlarm(qint16 hoursLeft);
    void MinuteAlarm(qint16 minutesLeft);
    // A persisted property changed, so the host saves its design again.
    void propertyChanged(const QString& key);

private:
    void Timer1_Timer();
    bool totalFits(qint32 hours, qint32 minutes) const;
    // A total that does not fit shows the error.
    bool totalFitsOrShowError(qint32 hours, qint32 minutes);
    void acceptChange(const QString& key);

    std::unique_ptr<conv::Timer> m_timer1;
    ErrorMessageSink& m_errors;

    qint32 m_timerMode = 0;
    qint32 m_interval = 0;
    qint16 m_minuteInterval = 0;
    qint16 m_hourInterval = 0;
    bool m_enabled = true;
    bool m_userMode = true;

    qint16 m_minutesLeft = 0;
    bool m_leadInDone = false;
    bool m_stoppedAfterShot = false;
    // Counts restarts, so that a tick notices when an event handler restarted the count.
    quint64 m_restarts = 0;
};

} // namespace nocturnia
