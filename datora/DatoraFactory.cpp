#include "DatoraFactory.h"

#include "CommandButton.h"
#include "KiroXPDTPicker.h"
#include "KiroXPSpin.h"

#include <QApplication>

namespace datora {

DatoraFactory::DatoraFactory()
    : m_systemClock(std::make_unique<conv::SystemClock>())
    , m_systemTimers(std::make_unique<conv::QtTimerSource>()) {}

DatoraFactory::DatoraFactory(const conv::Clock& clock, conv::TimerSource& timers)
    : m_context(std::make_unique<LibraryContext>(clock, timers)) {}

DatoraFactory::~DatoraFactory() = default;

QStringList DatoraFactory::classNames() const {
    return {kPickerClass, kSpinClass, kButtonClass};
}

QWidget* DatoraFactory::createControl(const QString& className, QWidget* parent, QString* error) {
    auto fail = [error](const QString& reason) -> QWidget* {
        if (error)
            *error = reason;
        return nullptr;
    };
    if (!classNames().contains(className))
        return fail(QStringLiteral("Datora has no creatable class \"%1\"; it offers %2")
                        .arg(className, classNames().join(QStringLiteral(", "))));
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return fail(QStringLiteral("Datora controls need a QApplication"));

    if (!m_context)
        m_context = std::make_unique<LibraryContext>(*m_systemClock, *m_systemTimers);
    if (!m_started) {
        // The library makes its calendar window once, hidden, before its first control. The
        // host's window owns it: the library outlives the application, a window must not.
        m_context->calendar(parent ? parent->window() : nullptr);
        m_started = true;
    }

    if (className == kPickerClass)
        return new KiroXPDTPicker(*m_context, parent);
    if (className == kSpinClass)
        return new KiroXPSpin(*m_context, parent);
    return new CommandButton(*m_context, parent);
}

} // namespace datora
