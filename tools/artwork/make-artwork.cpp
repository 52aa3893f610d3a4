// Draws the program's pictures: the application icon in every size, the banner of the main
// window, the splash, the command page, the notification, the alarm window and the four
// pictures of the navigation links. Run by
// tools/make-artwork.sh; the PNG files it writes are committed under nocturnia/assets.

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cstdio>
#include <initializer_list>

namespace {

const QColor kMidnight(16, 24, 64);
const QColor kDusk(44, 78, 160);
const QColor kMoon(246, 228, 160);

// A crescent: a disc with a second, offset disc cut out of it.
QPainterPath crescent(const QRectF& bounds) {
    QPainterPath disc;
    disc.addEllipse(bounds);
    QPainterPath bite;
    const qreal shift = bounds.width() * 0.34;
    bite.addEllipse(bounds.translated(shift, -shift * 0.55));
    return disc.subtracted(bite);
}

void star(QPainter& p, QPointF centre, qreal radius) {
    QPainterPath path;
    for (int i = 0; i < 8; ++i) {
        const qreal r = i % 2 == 0 ? radius : radius * 0.28;
        const qreal angle = i * M_PI / 4 - M_PI / 2;
        const QPointF point(centre.x() + r * std::cos(angle), centre.y() + r * std::sin(angle));
        if (i == 0)
            path.moveTo(point);
        else
            path.lineTo(point);
    }
    path.closeSubpath();
    p.fillPath(path, QColor(255, 255, 255, 230));
}

QImage icon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    QLinearGradient sky(0, 0, 0, s);
    sky.setColorAt(0, kMidnight);
    sky.setColorAt(1, kDusk);
    p.setPen(Qt::NoPen);
    p.setBrush(sky);
    p.drawRoundedRect(QRectF(0.5, 0.5, s - 1, s - 1), s * 0.2, s * 0.2);
    p.fillPath(crescent(QRectF(s * 0.16, s * 0.2, s * 0.58, s * 0.58)), kMoon);
    star(p, QPointF(s * 0.74, s * 0.28), s * (size <= 16 ? 0.16 : 0.11));
    if (size >= 32)
        star(p, QPointF(s * 0.52, s * 0.13), s * 0.06);
    // A power ring at the lower right: what the program does at night.
    if (size >= 24) {
        QPen ring(QColor(255, 255, 255, 235), s * 0.055, Qt::SolidLine, Qt::RoundCap);
        p.setPen(ring);
        p.setBrush(Qt::NoBrush);
        const QRectF r(s * 0.6, s * 0.6, s * 0.28, s * 0.28);
        p.drawArc(r, 120 * 16, 300 * 16);
        p.drawLine(QPointF(r.center().x(), r.top() - s * 0.03),
                   QPointF(r.center().x(), r.center().y()));
    }
    return image;
}

// A picture on the night sky: the gradient from the top left to the bottom right corner and
// stars at fixed places (fractions of the picture), away from the texts.
QImage nightSky(int width, int height, std::initializer_list<QPointF> stars) {
    QImage image(width, height, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF area = image.rect();
    QLinearGradient sky(area.topLeft(), area.bottomRight());
    sky.setColorAt(0, kMidnight);
    sky.setColorAt(1, kDusk);
    p.fillRect(area, sky);
    for (const QPointF& f : stars)
        star(p, QPointF(area.left() + f.x() * area.width(), area.top() + f.y() * area.height()),
             2.5);
    return image;
}

// A line of text in DejaVu Sans, the face every picture uses.
void text(QPainter& p, const QRectF& area, int pixelSize, bool bold, const QColor& colour,
          int flags, const QString& line) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    p.setFont(font);
    p.setPen(colour);
    p.drawText(area, flags, line);
}

QImage banner() {
    QImage image =
        nightSky(700, 80, {{0.72, 0.66}, {0.8, 0.86}, {0.87, 0.62}, {0.95, 0.84}, {0.99, 0.55}});
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.drawImage(QRectF(12, 8, 64, 64), icon(64));
    text(p, QRectF(88, 10, 380, 40), 30, true, Qt::white, Qt::AlignLeft | Qt::AlignVCenter,
         QStringLiteral("Nocturnia"));
    text(p, QRectF(90, 50, 380, 20), 12, false, QColor(210, 220, 245),
         Qt::AlignLeft | Qt::AlignVCenter,
         QStringLiteral("Your computer's commands, on time, day and night"));
    // The two links the banner's hot spots sit over.
    const struct {
        QRectF box;
        const char* text;
    } links[] = {{QRectF(488, 8, 97, 25), "Help Topics"}, {QRectF(592, 8, 89, 25), "Our Campaign"}};
    QFont sub(QStringLiteral("DejaVu Sans"));
    sub.setPixelSize(11);
    sub.setUnderline(true);
    p.setFont(sub);
    for (const auto& link : links) {
        p.setPen(QColor(255, 255, 255, 90));
        p.setBrush(QColor(255, 255, 255, 28));
        p.drawRoundedRect(link.box.adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
        p.setPen(Qt::white);
        p.drawText(link.box, Qt::AlignCenter, QString::fromLatin1(link.text));
    }
    return image;
}

QImage splash() {
    QImage image = nightSky(
        502, 271, {{0.06, 0.8}, {0.2, 0.9}, {0.34, 0.78}, {0.55, 0.1}, {0.72, 0.16}, {0.9, 0.08}});
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient glow(QPointF(96, 136), 125);
    glow.setColorAt(0, QColor(246, 228, 160, 70));
    glow.setColorAt(1, QColor(246, 228, 160, 0));
    p.fillRect(image.rect(), glow);
    p.fillPath(crescent(QRectF(50, 50, 140, 140)), kMoon);
    text(p, QRectF(200, 70, 290, 60), 44, true, Qt::white, Qt::AlignLeft | Qt::AlignVCenter,
         QStringLiteral("Nocturnia"));
    text(p, QRectF(204, 130, 290, 44), 14, false, QColor(210, 220, 245),
         Qt::AlignLeft | Qt::TextWordWrap,
         QStringLiteral("Shut down, wake up, run and remind: automatically."));
    text(p, QRectF(0, 236, 490, 24), 11, false, QColor(180, 195, 235),
         Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Starting..."));
    return image;
}

QImage notification() {
    QImage image = nightSky(420, 280, {{0.62, 0.08}, {0.75, 0.14}, {0.9, 0.07}, {0.97, 0.16}});
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.drawImage(QRectF(18, 10, 40, 40), icon(48));
    text(p, QRectF(68, 10, 330, 40), 18, true, Qt::white, Qt::AlignLeft | Qt::AlignVCenter,
         QStringLiteral("Notification"));
    return image;
}

// The picture of the command page when the chosen command needs no details.
QImage commands() {
    QImage image(481, 89, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient band(0, 0, 0, 89);
    band.setColorAt(0, QColor(236, 241, 252));
    band.setColorAt(1, QColor(214, 225, 247));
    p.setPen(QColor(180, 196, 230));
    p.setBrush(band);
    p.drawRoundedRect(QRectF(0.5, 0.5, 480, 88), 10, 10);
    p.drawImage(QRectF(16, 12, 64, 64), icon(64));
    text(p, QRectF(96, 14, 370, 24), 15, true, kMidnight, Qt::AlignLeft | Qt::AlignVCenter,
         QStringLiteral("Pick a command, then when to run it"));
    text(
        p, QRectF(96, 40, 370, 40), 12, false, QColor(60, 72, 110),
        Qt::AlignLeft | Qt::TextWordWrap,
        QStringLiteral("At a date and time, or once the network has been quiet for five minutes."));
    return image;
}

// The alarm window's background: a ringing alarm clock in the night sky, with room for the
// two full-width labels below it.
QImage alarmStop() {
    QImage image = nightSky(320, 150, {{0.5, 0.1}, {0.62, 0.5}, {0.8, 0.12}, {0.95, 0.4}});
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // Two bells, the hammer between them, the round face and its hands.
    const QPointF centre(52, 54);
    p.setPen(Qt::NoPen);
    p.setBrush(kMoon);
    for (int side : {-1, 1})
        p.drawEllipse(centre + QPointF(side * 22, -27), 12, 12);
    p.drawRect(QRectF(centre.x() - 2, centre.y() - 40, 4, 10));
    p.drawEllipse(centre, 31, 31);
    p.setBrush(Qt::white);
    p.drawEllipse(centre, 25, 25);
    QPen hand(kMidnight, 3.5, Qt::SolidLine, Qt::RoundCap);
    p.setPen(hand);
    p.drawLine(centre, centre + QPointF(0, -17));
    p.drawLine(centre, centre + QPointF(12, 6));
    // Ringing strokes beside the bells.
    QPen ring(QColor(255, 255, 255, 200), 2.5, Qt::SolidLine, Qt::RoundCap);
    p.setPen(ring);
    p.setBrush(Qt::NoBrush);
    for (int side : {-1, 1})
        for (qreal r : {38.0, 44.0})
            p.drawArc(QRectF(centre.x() - r, centre.y() - r - 4, 2 * r, 2 * r),
                      (side < 0 ? 128 : 22) * 16, 30 * 16);
    text(p, QRectF(96, 22, 214, 28), 20, true, Qt::white, Qt::AlignLeft | Qt::AlignVCenter,
         QStringLiteral("Wake up!"));
    text(p, QRectF(96, 50, 214, 36), 12, false, QColor(220, 228, 255),
         Qt::AlignLeft | Qt::TextWordWrap, QStringLiteral("Your alarm is ringing."));
    // A faint band behind each label, so that they read as the window's two buttons.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 36));
    p.drawRect(QRectF(0, 94, 320, 26));
    p.drawRect(QRectF(0, 122, 320, 26));
    return image;
}

// The navigation links' pictures, 16 x 16, drawn on a 16-unit grid.
enum class Link { Commands, Wireless, Sound, Exit };

QImage navigationPicture(Link link) {
    QImage image(16, 16, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink = kDusk;
    switch (link) {
    case Link::Commands: {
        // A clock face: commands at their time.
        p.setPen(QPen(kMidnight, 1.2));
        p.setBrush(kMoon);
        p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
        p.setPen(QPen(kMidnight, 1.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(8, 8), QPointF(8, 4));
        p.drawLine(QPointF(8, 8), QPointF(11, 9.5));
        break;
    }
    case Link::Wireless: {
        // A mast with waves on both sides: triggers from far away.
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawEllipse(QPointF(8, 6.5), 1.8, 1.8);
        p.setPen(QPen(ink, 1.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(8, 8), QPointF(5.5, 15));
        p.drawLine(QPointF(8, 8), QPointF(10.5, 15));
        p.setBrush(Qt::NoBrush);
        for (qreal r : {3.8, 6.3}) {
            const QRectF arc(8 - r, 6.5 - r, 2 * r, 2 * r);
            p.drawArc(arc, 135 * 16, 90 * 16);
            p.drawArc(arc, -45 * 16, 90 * 16);
        }
        break;
    }
    case Link::Sound: {
        // A microphone: the console that listens.
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawRoundedRect(QRectF(5.5, 1, 5, 9), 2.5, 2.5);
        p.setPen(QPen(kMidnight, 1.3, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(3.5, 3, 9, 9.5), 180 * 16, 180 * 16);
        p.drawLine(QPointF(8, 12.5), QPointF(8, 14.5));
        p.drawLine(QPointF(5, 14.8), QPointF(11, 14.8));
        break;
    }
    case Link::Exit: {
        // The power sign: the program ends.
        const QColor red(190, 40, 40);
        p.setPen(QPen(red, 1.8, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(2.5, 3, 11, 11), 125 * 16, 290 * 16);
        p.drawLine(QPointF(8, 1.8), QPointF(8, 8));
        break;
    }
    }
    return image;
}

bool save(const QImage& image, const QString& path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-artwork ASSETS-FOLDER\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    bool ok = true;
    for (int size : {16, 24, 32, 48, 64, 96, 128, 256})
        ok = save(icon(size), QStringLiteral("%1/icons/AAA/%2.png")
                                  .arg(out)
                                  .arg(size, 3, 10, QLatin1Char('0'))) &&
             ok;
    ok = save(banner(), out + QStringLiteral("/pictures/banner.png")) && ok;
    ok = save(splash(), out + QStringLiteral("/pictures/splash.png")) && ok;
    ok = save(commands(), out + QStringLiteral("/pictures/commands.png")) && ok;
    ok = save(notification(), out + QStringLiteral("/pictures/notification.png")) && ok;
    ok = save(alarmStop(), out + QStringLiteral("/pictures/alarmstop.png")) && ok;
    const struct {
        Link link;
        const char* name;
    } links[] = {{Link::Commands, "nav-commands"},
                 {Link::Wireless, "nav-wireless"},
                 {Link::Sound, "nav-sound"},
                 {Link::Exit, "nav-exit"}};
    for (const auto& link : links)
        ok = save(navigationPicture(link.link),
                  QStringLiteral("%1/pictures/%2.png").arg(out, QString::fromLatin1(link.name))) &&
             ok;
    return ok ? 0 : 1;
}
