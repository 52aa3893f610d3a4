#include "HistogramFeed.h"

#include "controls/XP_ProgressBar.h"
#include "controls/ucHistogram.h"
#include "conventions/ColourRef.h"
#include "conventions/PropertyBag.h"

#include <QLabel>
#include <QVBoxLayout>

namespace gallery {

namespace {

constexpr int Points = 70;
constexpr int SamplingTick = 70; // ms, as the console samples

// The level of the n-th sample: a quiet background with a loud burst now and then, the same at
// every run so that pictures compare.
qint32 levelAt(int n) {
    // A hash of n gives the background's jitter without any state.
    const quint32 hash = quint32(n) * 2654435761u;
    const qint32 noise = 8 + qint32(hash >> 28);
    // Every 23 samples a burst that falls off over 8 samples.
    const int since = n % 23;
    const qint32 burst = since < 8 ? (120 - noise) * (8 - since) / 8 : 0;
    return noise + burst;
}

} // namespace

HistogramFeed::HistogramFeed(QWidget* parent)
    : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(QStringLiteral("ucHistogram as the console designs it: Max 130, "
                                                "70 points,\ngrid ticks 5 and 5, grid colour "
                                                "(0, 64, 0); a point every 70 ms")));

    m_histogram = new nocturnia::ucHistogram;
    m_histogram->setFixedSize(288, 176);
    conv::PropertyBag histogram;
    histogram.write(QStringLiteral("Max"), qint32(130));
    histogram.write(QStringLiteral("NumberOfPoints"), qint32(Points));
    histogram.write(QStringLiteral("GridTickHorizontal"), qint16(5));
    histogram.write(QStringLiteral("GridTickVertical"), qint16(5));
    histogram.write(QStringLiteral("GridColour"), conv::ColourValue{conv::colourRef(0, 64, 0)});
    m_histogram->readProperties(histogram);
    layout->addWidget(m_histogram);

    m_state = new QLabel;
    layout->addWidget(m_state);

    layout->addWidget(new QLabel(QStringLiteral("The same level on the console's bar: Max 128, "
                                                "colour (0, 192, 0),\nlook 1, ShowText")));
    m_level = new nocturnia::XP_ProgressBar;
    m_level->setFixedSize(288, 22);
    conv::PropertyBag bar;
    bar.write(QStringLiteral("Color"), conv::ColourValue{conv::colourRef(0, 192, 0)});
    bar.write(QStringLiteral("Max"), qint32(128));
    bar.write(QStringLiteral("Scrolling"), qint32(1));
    bar.write(QStringLiteral("ShowText"), true);
    m_level->readProperties(bar);
    layout->addWidget(m_level);
    layout->addStretch();

    m_state->setText(QStringLiteral("Empty: 0 of %1 points").arg(Points));
    m_timer.setInterval(SamplingTick);
    connect(&m_timer, &QTimer::timeout, this, &HistogramFeed::tick);
    m_timer.start();
}

void HistogramFeed::tick() {
    const qint32 level = levelAt(m_fed);
    m_histogram->NextPoint(level);
    m_level->setValue(level);
    ++m_fed;
    m_state->setText(m_fed <= Points
                         ? QStringLiteral("Filling: %1 of %2 points").arg(m_fed).arg(Points)
                         : QStringLiteral("Full, scrolling: %1 points fed").arg(m_fed));
    Q_EMIT pointFed(m_fed);
}

} // namespace gallery
