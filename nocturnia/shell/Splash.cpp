#include "shell/Splash.h"

#include "conventions/Timer.h"
#include "conventions/Twips.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

Splash::Splash(QWidget& mainWindow, conv::TimerSource& timers)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint)
    , m_mainWindow(mainWindow)
    , Timer1(timers.createTimer()) {
    setObjectName(QStringLiteral("Splash"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(conv::twipsToPixels(7530), conv::twipsToPixels(4065));
    auto* image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image1"));
    image->setGeometry(rect());
    image->setPixmap(QPixmap(QStringLiteral(":/pictures/splash.png")));

    Timer1->setInterval(4000);
    Timer1->setSingleShot(true);
    connect(Timer1.get(), &conv::Timer::timeout, this, &Splash::Timer1_Timer);
    Timer1->start();
}

Splash::~Splash() = default;

void Splash::showEvent(QShowEvent* event) {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    QWidget::showEvent(event);
}

void Splash::Timer1_Timer() {
    m_mainWindow.show();
    close();
}
