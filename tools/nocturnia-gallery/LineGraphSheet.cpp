#include "LineGraphSheet.h"

#include "conventions/ColourRef.h"
#include "netmon/PicBox.h"
#include "netmon/clsLineGraph.h"

#include <QGridLayout>
#include <QLabel>
#include <cmath>

namespace gallery {

namespace {

struct Sample {
    const char* caption;
    bool grid;
    qint16 borderSize;
    QList<double> values;
};

QList<double> wave(int count, double phase) {
    QList<double> values;
    for (int i = 0; i < count; ++i)
        values << 50 + 40 * std::sin(i / 8.0 + phase);
    return values;
}

} // namespace

LineGraphSheet::LineGraphSheet(QWidget* parent)
    : QWidget(parent) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);

    QList<double> outside = wave(100, 0);
    outside[30] = 140;
    outside[60] = -30;
    const std::vector<Sample> samples{
        {"grid, border 1, 100 values", true, 1, wave(100, 0)},
        {"no grid, border 3", false, 3, wave(100, 1)},
        {"10 values: from the left", true, 1, wave(10, 0)},
        {"150 values cut to 100", true, 2, wave(150, 2)},
        {"values outside 0..100", true, 1, outside},
        {"one value", true, 1, {50}},
    };
    int at = 0;
    for (const Sample& sample : samples) {
        auto* caption = new QLabel(QString::fromLatin1(sample.caption));
        auto* box = new PicBox;
        box->setFixedSize(240, 120);
        auto graph = std::make_unique<clsLineGraph>();
        graph->setPictureBox(box);
        graph->setGridColor(conv::colourRef(0, 128, 0));
        graph->setGridVisible(sample.grid);
        graph->setBorderColor(conv::colourRef(0, 64, 128));
        graph->setBorderSize(sample.borderSize);
        graph->setPicForeground(conv::colourRef(0, 255, 0));
        graph->setPicBackground(conv::colourRef(0, 0, 0));
        graph->setDataCollection(std::make_shared<QList<double>>(sample.values));
        graph->Draw();
        grid->addWidget(caption, (at / 3) * 2, at % 3);
        grid->addWidget(box, (at / 3) * 2 + 1, at % 3);
        m_graphs.push_back(std::move(graph));
        ++at;
    }
}

LineGraphSheet::~LineGraphSheet() = default;

} // namespace gallery
