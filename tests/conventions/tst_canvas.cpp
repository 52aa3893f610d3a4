#include "conventions/Canvas.h"

#include <QGuiApplication>
#include <QSet>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

const QColor kWhite(255, 255, 255);
const QColor kInk(0, 60, 116);

// The image as rows of '#' (ink) and '.' (white), to compare painted shapes at a glance.
QStringList rows(const QImage& image) {
    QStringList out;
    for (int y = 0; y < image.height(); ++y) {
        QString row;
        for (int x = 0; x < image.width(); ++x)
            row += image.pixelColor(x, y) == kWhite ? QLatin1Char('.') : QLatin1Char('#');
        out << row;
    }
    return out;
}

QImage blank(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(kWhite);
    return image;
}

} // namespace

class TestCanvas : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void lines_data() {
        QTest::addColumn<QRect>("ends"); // x1, y1 and x2, y2 as the two corners of a QRect
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("horizontal, end left out")
            << QRect(QPoint(0, 1), QPoint(4, 1)) << QStringList{u"....."_s, u"####."_s, u"....."_s};
        QTest::newRow("vertical") << QRect(QPoint(2, 0), QPoint(2, 2))
                                  << QStringList{u"..#.."_s, u"..#.."_s, u"....."_s};
        QTest::newRow("diagonal") << QRect(QPoint(0, 0), QPoint(3, 3))
                                  << QStringList{u"#...."_s, u".#..."_s, u"..#.."_s};
        QTest::newRow("zero length draws nothing")
            << QRect(QPoint(1, 1), QPoint(1, 1)) << QStringList{u"....."_s, u"....."_s, u"....."_s};
        QTest::newRow("clipped beyond the image")
            << QRect(QPoint(-2, 2), QPoint(9, 2))
            << QStringList{u"....."_s, u"....."_s, u"#####"_s};
    }
    void lines() {
        QFETCH(QRect, ends);
        QFETCH(QStringList, expected);
        QImage image = blank(5, 3);
        conv::Canvas canvas(image);
        canvas.line(ends.left(), ends.top(), ends.right(), ends.bottom(), kInk);
        QCOMPARE(rows(image), expected);
    }

    void leftwardLineLeavesOutItsEndToo() {
        QImage image = blank(5, 1);
        conv::Canvas(image).line(4, 0, 1, 0, kInk);
        QCOMPARE(rows(image), QStringList{u"..###"_s});
    }

    void widePenIsCentredAcrossTheLine() {
        QImage image = blank(4, 5);
        conv::Canvas(image).line(0, 2, 4, 2, kInk, 4); // rows 0..3: two above, one below
        QCOMPARE(rows(image), (QStringList{u"####"_s, u"####"_s, u"####"_s, u"####"_s, u"...."_s}));
    }

    void rectangleOutlineStopsShortOfRightAndBottom() {
        QImage image = blank(6, 5);
        conv::Canvas(image).rectangleOutline(1, 1, 5, 4, kInk);
        QCOMPARE(rows(image),
                 (QStringList{u"......"_s, u".####."_s, u".#..#."_s, u".####."_s, u"......"_s}));
    }

    void fillRectStopsShortOfRightAndBottom() {
        QImage image = blank(5, 4);
        conv::Canvas canvas(image);
        canvas.fillRect(1, 1, 4, 3, kInk);
        QCOMPARE(rows(image), (QStringList{u"....."_s, u".###."_s, u".###."_s, u"....."_s}));
        QCOMPARE(canvas.pixel(2, 2), kInk);
    }

    // In every image format and colour the canvas stores the pixels QImage itself would store,
    // and a copy taken before painting keeps its pixels.
    void paintsWhatTheImageWouldStore_data() {
        QTest::addColumn<QImage::Format>("format");
        QTest::addColumn<QColor>("colour");
        const QColor translucent(200, 40, 90, 128);
        for (const auto& [name, format] :
             {std::pair{"RGB32", QImage::Format_RGB32},
              {"ARGB32", QImage::Format_ARGB32},
              {"ARGB32 premultiplied", QImage::Format_ARGB32_Premultiplied},
              {"RGB888", QImage::Format_RGB888},
              {"RGB16", QImage::Format_RGB16}}) {
            QTest::addRow("%s opaque", name) << format << kInk;
            QTest::addRow("%s translucent", name) << format << translucent;
        }
    }
    void paintsWhatTheImageWouldStore() {
        QFETCH(QImage::Format, format);
        QFETCH(QColor, colour);
        const auto paint = [](QImage& image, const QColor& ink) {
            conv::Canvas canvas(image);
            canvas.line(0, 0, 8, 6, ink, 2);
            canvas.rectangleOutline(1, 1, 7, 5, ink);
            canvas.fillRect(3, 2, 6, 4, ink);
            canvas.setPixel(8, 0, ink);
            canvas.setPixel(20, 20, ink); // outside: left out
        };
        QImage shape = blank(9, 7); // where the shapes fall
        paint(shape, kInk);

        QImage painted(shape.size(), format);
        painted.fill(kWhite);
        QImage expected = painted.copy();
        const QImage before = painted; // shares the pixels until the canvas writes
        paint(painted, colour);
        for (int y = 0; y < shape.height(); ++y) {
            for (int x = 0; x < shape.width(); ++x) {
                if (shape.pixelColor(x, y) == kInk)
                    expected.setPixelColor(x, y, colour);
            }
        }
        QCOMPARE(painted, expected);
        QCOMPARE(before.pixelColor(4, 3), kWhite);
    }

    void textIsDrawnWithoutAntialiasing() {
        QImage image = blank(60, 20);
        conv::Canvas canvas(image);
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(12);
        canvas.drawText(QRect(0, 0, 60, 20), QStringLiteral("Close"), font, kInk, Qt::AlignCenter);
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                colours.insert(image.pixel(x, y));
        }
        QCOMPARE(colours, (QSet<QRgb>{kWhite.rgb(), kInk.rgb()}));
    }

    void mnemonicsUnderlineAndDoubleAmpersandsCollapse() {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(12);
        const int flags = Qt::AlignCenter | Qt::TextShowMnemonic;
        QCOMPARE(conv::Canvas::measureText(QStringLiteral("A&&B"), font, 200, flags),
                 conv::Canvas::measureText(QStringLiteral("A&B"), font, 200, Qt::AlignCenter));
        QImage plain = blank(40, 20);
        QImage marked = blank(40, 20);
        conv::Canvas(plain).drawText(plain.rect(), QStringLiteral("Ok"), font, kInk, flags);
        conv::Canvas(marked).drawText(marked.rect(), QStringLiteral("&Ok"), font, kInk, flags);
        QVERIFY(plain != marked); // the underline under O
    }
};

QTEST_MAIN(TestCanvas)
#include "tst_canvas.moc"
