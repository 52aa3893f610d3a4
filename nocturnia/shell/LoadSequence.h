#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

// An ordered start-up: every step runs in turn; a step that fails (returns false or throws)
// is skipped and the next one runs. Nothing is reported to the user; failures are logged.
class LoadSequence {
public:
    using Step = std::function<bool()>;

    void add(const QString& name, Step step);
    // The names of the steps that succeeded, in order.
    QStringList run();

private:
    struct Entry {
        QString name;
        Step step;
    };
    QList<Entry> m_steps;
};
