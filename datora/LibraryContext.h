#pragma once

#include "conventions/Clock.h"
#include "conventions/DateTimeConventions.h"
#include "conventions/Timer.h"

#include <QPointer>
#include <QRect>
#include <functional>

class QDialog;
class QWidget;

namespace datora {

class MyForm;

// What the controls of one library instance share: the clock, the timers, the date conventions,
// the date picked in the calendar and the calendar window itself, and the few places where a
// control asks the desktop something (the window under the cursor, the screen size, running a
// window modally), kept replaceable so that tests drive them.
class LibraryContext {
public:
    LibraryContext(const conv::Clock& clock, conv::TimerSource& timers,
                   conv::DateTimeConventions conventions = conv::DateTimeConventions::system());
    ~LibraryContext();
    LibraryContext(const LibraryContext&) = delete;
    LibraryContext& operator=(const LibraryContext&) = delete;

    const conv::Clock& clock() const { return m_clock; }
    conv::TimerSource& timers() const { return m_timers; }
    const conv::DateTimeConventions& conventions() const { return m_conventions; }
    qint32 todaySerial() const;

    // The date handed from the calendar back to the picker that opened it.
    qint32 pickedValue() const { return m_pickedValue; }
    void setPickedValue(qint32 serial) { m_pickedValue = serial; }

    // The calendar window, made (hidden) when there is none; a closed calendar is destroyed and
    // the next opening makes a new one. A window given as `owner` takes the new calendar with
    // it when it goes.
    MyForm* calendar(QWidget* owner = nullptr);
    MyForm* existingCalendar() const;
    void destroyCalendar();

    using WidgetAt = std::function<QWidget*(const QPoint& globalPosition)>;
    using CursorPosition = std::function<QPoint()>;
    using ModalRunner = std::function<void(QDialog& window)>;
    using ScreenGeometry = std::function<QRect(const QWidget* widget)>;
    using EventPump = std::function<void()>;

    void setWidgetAt(WidgetAt widgetAt) { m_widgetAt = std::move(widgetAt); }
    void setCursorPosition(CursorPosition cursor) { m_cursor = std::move(cursor); }
    void setModalRunner(ModalRunner runner) { m_runModal = std::move(runner); }
    void setScreenGeometry(ScreenGeometry geometry) { m_screen = std::move(geometry); }
    void setEventPump(EventPump pump) { m_pump = std::move(pump); }

    QWidget* widgetAt(const QPoint& globalPosition) const { return m_widgetAt(globalPosition); }
    QPoint cursorPosition() const { return m_cursor(); }
    void runModal(QDialog& window) const { m_runModal(window); }
    QRect screenGeometry(const QWidget* widget) const { return m_screen(widget); }
    // Lets pending window events run.
    void processEvents() const { m_pump(); }

private:
    const conv::Clock& m_clock;
    conv::TimerSource& m_timers;
    conv::DateTimeConventions m_conventions;
    qint32 m_pickedValue = 0;
    QPointer<MyForm> m_calendar;
    WidgetAt m_widgetAt;
    CursorPosition m_cursor;
    ModalRunner m_runModal;
    ScreenGeometry m_screen;
    EventPump m_pump;
};

} // namespace datora
