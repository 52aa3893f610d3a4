#pragma once

#include <QWidget>
#include <memory>

namespace conv {
class Timer;
class TimerSource;
} // namespace conv

// The splash window: the product artwork, centred, shown once at start for 4000 ms; then
// it shows the main window and unloads itself.
class Splash final : public QWidget {
    Q_OBJECT
public:
    Splash(QWidget& mainWindow, conv::TimerSource& timers);
    ~Splash() override;

    conv::Timer& timer() const { return *Timer1; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Timer1_Timer();

    QWidget& m_mainWindow;
    std::unique_ptr<conv::Timer> Timer1;
};
