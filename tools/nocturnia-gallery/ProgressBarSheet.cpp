#include "ProgressBarSheet.h"

#include "controls/XP_ProgressBar.h"
#include "conventions/ColourRef.h"
#include "conventions/PropertyBag.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QStringList>
#include <algorithm>
#include <vector>

namespace gallery {

namespace {

using nocturnia::XP_ProgressBar;

const quint32 Blue = conv::colourRef(49, 106, 197);
const QSize Across(150, 22);
const QSize Upright(30, 110);

// What one bar is made from; written as a design and read back by the control's setters.
struct Design {
    qint32 look = 1;
    qint32 value = 0;
    bool text = false;
    qint32 orientation = 0;
    qint32 brushStyle = XP_ProgressBar::DefaultBrushStyle;
    QImage picture;
};

struct Cell {
    QString label;
    Design design;
};

struct Row {
    QString caption;
    std::vector<Cell> cells;
};

conv::PropertyBag designOf(const Design& d) {
    conv::PropertyBag bag;
    bag.write(QStringLiteral("BrushStyle"), d.brushStyle, XP_ProgressBar::DefaultBrushStyle);
    bag.write(QStringLiteral("Color"), conv::ColourValue{Blue});
    if (!d.picture.isNull())
        bag.write(QStringLiteral("Image"), XP_ProgressBar::pictureText(d.picture));
    bag.write(QStringLiteral("Orientation"), d.orientation, qint32(0));
    bag.write(QStringLiteral("Scrolling"), d.look, qint32(0));
    bag.write(QStringLiteral("ShowText"), d.text, false);
    bag.write(QStringLiteral("Value"), d.value, qint32(0));
    return bag;
}

// A small tile with a dark dot on a warm ground, so that the tiling shows.
QImage smallPattern() {
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(QColor(255, 220, 120));
    image.setPixelColor(0, 0, QColor(200, 80, 0));
    image.setPixelColor(2, 2, QColor(200, 80, 0));
    return image;
}

// A tile larger than the bar is high: stripes of three colours on a diagonal.
QImage stripes() {
    QImage image(24, 24, QImage::Format_RGB32);
    const QColor colours[] = {QColor(230, 60, 60), QColor(250, 250, 250), QColor(40, 120, 200)};
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixelColor(x, y, colours[(x + y) / 4 % 3]);
    return image;
}

Cell cell(const QString& label, qint32 look, qint32 value, bool text = false) {
    Design design;
    design.look = look;
    design.value = value;
    design.text = text;
    if (look == 8)
        design.picture = smallPattern();
    return {label, design};
}

std::vector<Row> rows() {
    std::vector<Row> rows;
    for (int look = 0; look <= 9; ++look) {
        Row row{QStringLiteral("Look %1").arg(look), {}};
        for (bool text : {false, true})
            for (int value : {0, 45, 100})
                row.cells.push_back(
                    cell(text ? QStringLiteral("%1, ShowText").arg(value) : QString::number(value),
                         look, value, text));
        rows.push_back(row);
    }

    Row segments{QStringLiteral("Look 2 segments"), {}};
    for (int value : {10, 30, 50, 70, 90})
        segments.cells.push_back(cell(QString::number(value), 2, value));
    rows.push_back(segments);

    Row hatches{QStringLiteral("Look 7 hatches"), {}};
    const char* hatchNames[] = {"horizontal",  "vertical", "down diagonal",
                                "up diagonal", "cross",    "diagonal cross"};
    for (int style = 0; style <= 5; ++style) {
        Cell c = cell(QStringLiteral("BrushStyle %1: %2")
                          .arg(style)
                          .arg(QString::fromLatin1(hatchNames[style])),
                      7, 70);
        c.design.brushStyle = style;
        hatches.cells.push_back(c);
    }
    rows.push_back(hatches);

    Row pictures{QStringLiteral("Look 8 pictures"), {}};
    pictures.cells.push_back(cell(QStringLiteral("4 x 4 tile"), 8, 70));
    Cell striped = cell(QStringLiteral("24 x 24 tile"), 8, 70);
    striped.design.picture = stripes();
    pictures.cells.push_back(striped);
    Cell none = cell(QStringLiteral("no Image"), 8, 70);
    none.design.picture = QImage();
    pictures.cells.push_back(none);
    rows.push_back(pictures);

    // The text is about 25 pixels wide in the middle of the bar: these values move the fill's
    // edge through it, until the fill covers it whole.
    for (int look : {6, 9}) {
        Row split{QStringLiteral("Look %1 text over fill").arg(look), {}};
        for (int value : {40, 45, 50, 55, 60})
            split.cells.push_back(
                cell(QStringLiteral("%1, ShowText").arg(value), look, value, true));
        rows.push_back(split);
    }

    Row upright{QStringLiteral("Looks 0 to 2\nupright"), {}};
    for (int look = 0; look <= 2; ++look) {
        for (int value : {0, 45, 100}) {
            Cell c = cell(QStringLiteral("Look %1\n%2").arg(look).arg(value), look, value);
            c.design.orientation = 1;
            upright.cells.push_back(c);
        }
        Cell text = cell(QStringLiteral("Look %1\n45, text").arg(look), look, 45, true);
        text.design.orientation = 1;
        upright.cells.push_back(text);
    }
    rows.push_back(upright);
    return rows;
}

QStringList labelsOf(const Row& row) {
    QStringList labels;
    for (const Cell& c : row.cells)
        labels << c.label;
    return labels;
}

QLabel* small(const QString& text) {
    auto* label = new QLabel(text);
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * 0.85);
    label->setFont(font);
    label->setForegroundRole(QPalette::PlaceholderText);
    return label;
}

} // namespace

ProgressBarSheet::ProgressBarSheet(QWidget* parent)
    : QWidget(parent) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(4);
    int at = 0;
    QStringList previous;
    for (const Row& row : rows()) {
        // Cell labels head a row only where they differ from the row above.
        const QStringList labels = labelsOf(row);
        const bool headed = labels != previous;
        previous = labels;
        auto* heads = new QHBoxLayout;
        auto* cells = new QHBoxLayout;
        heads->setSpacing(10);
        cells->setSpacing(10);
        for (const Cell& c : row.cells) {
            auto* head = small(c.label);
            auto* bar = new XP_ProgressBar;
            bar->setFixedSize(c.design.orientation == 0 ? Across : Upright);
            bar->readProperties(designOf(c.design));
            // Head and bar share the wider one's width, so that the columns line up.
            const int width = std::max(bar->width(), head->sizeHint().width());
            head->setFixedWidth(width);
            auto* slot = new QWidget;
            slot->setFixedWidth(width);
            auto* slotLayout = new QHBoxLayout(slot);
            slotLayout->setContentsMargins(0, 0, 0, 0);
            slotLayout->addWidget(bar, 0, Qt::AlignLeft);
            if (headed)
                heads->addWidget(head);
            else
                delete head;
            cells->addWidget(slot);
        }
        heads->addStretch();
        cells->addStretch();
        if (headed)
            grid->addLayout(heads, at++, 1);
        else
            delete heads;
        grid->addWidget(new QLabel(row.caption), at, 0, Qt::AlignLeft | Qt::AlignVCenter);
        grid->addLayout(cells, at++, 1);
    }
    grid->setColumnStretch(1, 1);
}

} // namespace gallery
