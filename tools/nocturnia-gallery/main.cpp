// Shows Nocturnia's own drawn controls side by side, for people to look at: every look of the
// progress bar, the histogram filling and then scrolling as the sound console feeds it, and
// the network line graph that no window of the program places.
//
//   nocturnia-gallery [PICTURE.png [POINTS]]
//
// With a file name it saves a picture of the whole gallery once the histogram has been fed
// POINTS points (none by default), and ends.
#include "HistogramFeed.h"
#include "LineGraphSheet.h"
#include "ProgressBarSheet.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QTimer>
#include <QWidget>

namespace {

QLabel* heading(const QString& text) {
    auto* label = new QLabel(text);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);

    auto* content = new QWidget;
    auto* layout = new QGridLayout(content);
    layout->setVerticalSpacing(8);
    layout->setHorizontalSpacing(24);
    layout->addWidget(heading(QStringLiteral("XP_ProgressBar: the ten looks (Scrolling 0 to 9), "
                                             "colour (49, 106, 197), Max 100")),
                      0, 0, 1, 2);
    layout->addWidget(new gallery::ProgressBarSheet, 1, 0, 1, 2);
    layout->addWidget(heading(QStringLiteral("ucHistogram")), 2, 0);
    auto* feed = new gallery::HistogramFeed;
    layout->addWidget(feed, 3, 0, Qt::AlignTop);
    layout->addWidget(heading(QStringLiteral("clsLineGraph")), 2, 1);
    layout->addWidget(new gallery::LineGraphSheet, 3, 1, Qt::AlignTop | Qt::AlignLeft);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(4, 1);

    QScrollArea window;
    window.setWindowTitle(QStringLiteral("Nocturnia controls"));
    window.setWidget(content);
    window.setWidgetResizable(true);
    const QSize wanted = content->sizeHint() + QSize(4, 4);
    window.resize(wanted.boundedTo(window.screen()->availableSize()));
    window.show();

    if (argc > 1) {
        const QString file = QString::fromLocal8Bit(argv[1]);
        const int points = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 0;
        // The whole gallery, also what a small screen scrolls away.
        const auto save = [content, file] {
            content->grab().save(file);
            QApplication::quit();
        };
        if (points <= 0)
            QTimer::singleShot(0, content, save);
        QObject::connect(feed, &gallery::HistogramFeed::pointFed, content,
                         [points, save](int count) {
                             if (count == points)
                                 save();
                         });
    }
    return app.exec();
}
