// Writes a picture of every progress bar look and of a histogram, to look at by eye:
// render_controls OUT.png
#include "controls/HistogramPainter.h"
#include "controls/ProgressBarPainter.h"
#include "conventions/Canvas.h"
#include "conventions/DesignFonts.h"

#include <QGuiApplication>
#include <QPainter>
#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: render_controls OUT.png\n");
        return 2;
    }
    const QSize bar(160, 20);
    const int gap = 6;
    const int rows = 10;
    QImage sheet(2 * bar.width() + 3 * gap + 40, rows * (bar.height() + gap) + gap + 90,
                 QImage::Format_RGB32);
    sheet.fill(QColor(220, 220, 220));
    QPainter painter(&sheet);

    QImage pattern(4, 4, QImage::Format_RGB32);
    pattern.fill(QColor(255, 220, 120));
    pattern.setPixelColor(0, 0, QColor(200, 80, 0));
    pattern.setPixelColor(2, 2, QColor(200, 80, 0));

    // Left column 45 % with text, right column 100 % (look 2: 70 %) with text.
    for (int look = 0; look < rows; ++look) {
        for (int column = 0; column < 2; ++column) {
            nocturnia::ProgressBarLook state;
            state.colour = QColor(49, 106, 197);
            state.percentage = column == 0 ? 45 : (look == 2 ? 70 : 100);
            state.showText = true;
            state.scrolling = look;
            state.image = pattern;
            state.font = conv::designFont(QStringLiteral("MS Sans Serif"), 8.25);
            QImage image(bar, QImage::Format_RGB32);
            conv::Canvas canvas(image);
            nocturnia::paintProgressBar(canvas, bar, state);
            painter.drawImage(gap + column * (bar.width() + gap), gap + look * (bar.height() + gap),
                              image);
        }
    }
    // Vertical looks 0 and 1 at 60 %.
    for (int look = 0; look < 2; ++look) {
        nocturnia::ProgressBarLook state;
        state.colour = QColor(49, 106, 197);
        state.percentage = 60;
        state.scrolling = look;
        state.orientation = 1;
        const QSize size(18, rows * (bar.height() + gap) - gap);
        QImage image(size, QImage::Format_RGB32);
        conv::Canvas canvas(image);
        nocturnia::paintProgressBar(canvas, size, state);
        painter.drawImage(2 * (bar.width() + gap) + gap + look * 20 - 4, gap, image);
    }
    // A histogram of 40 points, the console's grid.
    {
        const QSize client(2 * bar.width() + gap, 80);
        nocturnia::HistogramChart chart;
        chart.numberOfPoints = 40;
        chart.points = QVector<qint32>(41, -1);
        chart.points[0] = 0;
        for (int i = 1; i <= 30; ++i)
            chart.points[i] = (i * 37) % 130;
        chart.max = 130;
        chart.controlHeight = client.height() * 15;
        chart.geometry = nocturnia::histogramGeometry((client + QSize(8, 0)) * 15, 40, 5, 5, 130);
        chart.back = Qt::black;
        chart.grid = QColor(0, 0x40, 0);
        chart.fore = QColor(0, 255, 0);
        QImage canvasImage(client + QSize(8, 0), QImage::Format_RGB32);
        conv::Canvas canvas(canvasImage);
        nocturnia::paintHistogramCanvas(canvas, chart);
        QImage surface(client + QSize(4, 4), QImage::Format_RGB32);
        nocturnia::paintHistogramSurface(surface, canvasImage, 1, 1, Qt::black, QPalette());
        painter.drawImage(gap, gap + rows * (bar.height() + gap), surface);
    }
    painter.end();
    return sheet.scaled(sheet.size() * 3, Qt::IgnoreAspectRatio, Qt::FastTransformation)
                   .save(QString::fromLocal8Bit(argv[1]))
               ? 0
               : 1;
}
