#pragma once

#include <QTimer>
#include <QWidget>

class QLabel;

namespace nocturnia {
class XP_ProgressBar;
class ucHistogram;
} // namespace nocturnia

namespace gallery {

// The histogram with the sound console's design, fed a made-up microphone level on the
// console's sampling tick: it fills from empty, then scrolls once its 70 points are shown.
// Under it the console's level bar shows the same level.
class HistogramFeed : public QWidget {
    Q_OBJECT

public:
    explicit HistogramFeed(QWidget* parent = nullptr);

Q_SIGNALS:
    void pointFed(int count);

private:
    void tick();

    nocturnia::ucHistogram* m_histogram = nullptr;
    nocturnia::XP_ProgressBar* m_level = nullptr;
    QLabel* m_state = nullptr;
    QTimer m_timer;
    int m_fed = 0;
};

} // namespace gallery
