#include "shell/LoadSequence.h"

#include <QLoggingCategory>
#include <exception>

Q_LOGGING_CATEGORY(lcLoad, "nocturnia.load")

void LoadSequence::add(const QString& name, Step step) {
    m_steps.append(Entry{name, std::move(step)});
}

QStringList LoadSequence::run() {
    QStringList done;
    for (const Entry& entry : std::as_const(m_steps)) {
        bool ok = false;
        try {
            ok = entry.step();
        } catch (const std::exception& e) {
            qCInfo(lcLoad) << entry.name << "threw" << e.what();
        }
        if (ok)
            done << entry.name;
        else
            qCInfo(lcLoad) << "skipped:" << entry.name;
    }
    return done;
}
