#pragma once

#include "LibraryContext.h"
#include "conventions/ControlFactory.h"

#include <memory>

namespace datora {

// Makes the library's public controls by class name, all sharing one library context.
class DatoraFactory final : public conv::ControlFactory {
public:
    static inline const QString kPickerClass = QStringLiteral("KiroXPControls2.KiroXPDTPicker");
    static inline const QString kSpinClass = QStringLiteral("KiroXPControls2.KiroXPSpin");
    static inline const QString kButtonClass = QStringLiteral("KiroXPControls2.CommandButton");

    // The real clock and timers.
    DatoraFactory();
    // Given ones, which must outlive the factory.
    DatoraFactory(const conv::Clock& clock, conv::TimerSource& timers);
    ~DatoraFactory() override;

    QStringList classNames() const override;
    QWidget* createControl(const QString& className, QWidget* parent, QString* error) override;

    LibraryContext& context() { return *m_context; }

private:
    std::unique_ptr<conv::SystemClock> m_systemClock;
    std::unique_ptr<conv::QtTimerSource> m_systemTimers;
    std::unique_ptr<LibraryContext> m_context;
    bool m_started = false;
};

} // namespace datora
