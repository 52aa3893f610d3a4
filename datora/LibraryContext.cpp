#include "LibraryContext.h"

#include "DesignFonts.h"
#include "MyForm.h"
#include "conventions/DateSerial.h"

#include <QApplication>
#include <QCursor>
#include <QDialog>
#include <QScreen>

namespace datora {

LibraryContext::LibraryContext(const conv::Clock& clock, conv::TimerSource& timers,
                               conv::DateTimeConventions conventions)
    : m_clock(clock)
    , m_timers(timers)
    , m_conventions(std::move(conventions))
    , m_widgetAt([](const QPoint& at) { return QApplication::widgetAt(at); })
    , m_cursor([] { return QCursor::pos(); })
    , m_runModal([](QDialog& window) { window.exec(); })
    , m_screen([](const QWidget* widget) {
        const QScreen* screen = widget ? widget->screen() : QGuiApplication::primaryScreen();
        return screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    })
    , m_pump([] { QCoreApplication::processEvents(); }) {
    registerDesignFonts();
}

LibraryContext::~LibraryContext() {
    destroyCalendar();
}

qint32 LibraryContext::todaySerial() const {
    return conv::toDateSerial(m_clock.now().date());
}

MyForm* LibraryContext::calendar(QWidget* owner) {
    if (!m_calendar)
        m_calendar = new MyForm(*this, owner);
    return m_calendar.data();
}

MyForm* LibraryContext::existingCalendar() const {
    return m_calendar.data();
}

void LibraryContext::destroyCalendar() {
    // Without an application the window system is gone and the window with it.
    if (m_calendar && QCoreApplication::instance())
        delete m_calendar.data();
    m_calendar.clear();
}

} // namespace datora
