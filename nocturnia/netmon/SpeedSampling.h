#pragma once

#include <QObject>
#include <memory>

class CIpHelper;
class CInterfaces;
class InterfaceCounters;
class QComboBox;
class QLabel;
class QWidget;
class SettingsStore;
struct SpeedFigures;

namespace conv {
class Timer;
class TimerSource;
} // namespace conv

// Once a second: the machine's download and upload speed, from the difference of the octet
// totals to the previous second, shown on the speed panel and left as plain figures for the
// schedule's speed condition; and the list of interfaces kept in step with the system's.
class SpeedSampling final : public QObject {
    Q_OBJECT
public:
    struct Links {
        QWidget& window; // the interface list sits on it, outside its visible area
        QLabel& lblDSpeed;
        QLabel& lblUSpeed;
        SpeedFigures& speed;
        const SettingsStore& settings;
        InterfaceCounters& counters;
        conv::TimerSource& timers; // Timer1; ticks just after each second boundary
    };

    explicit SpeedSampling(Links links);
    ~SpeedSampling() override;

    // The load's step: reads the table, fills the interface list and selects its entry from
    // the "Connection" setting.
    bool fillConnectionList();
    void Timer1_Timer();

    std::unique_ptr<CIpHelper> objIpHelper;
    // The totals of the previous tick; 0 until the first.
    quint64 lngLastBytesReceived = 0;
    quint64 lngLastBytesSent = 0;

    QComboBox* cboConnectionType;
    std::unique_ptr<conv::Timer> Timer1; // 1000 ms

private:
    void fill(const CInterfaces& interfaces);
    void selectFromSetting();

    Links m_links;
};
