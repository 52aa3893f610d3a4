#pragma once

#include <QString>

// The current user's list of programs the desktop session starts at log-on: one entry per
// name, each a program and its arguments.
class RunList {
public:
    virtual ~RunList() = default;

    // The command registered under `name`, or an empty text when there is none (a missing,
    // unreadable, empty or disabled entry).
    virtual QString entry(const QString& name) const = 0;
    // Registers `program` followed by `arguments` under `name`, replacing what was there.
    // False when it could not be written.
    virtual bool setEntry(const QString& name, const QString& program,
                          const QString& arguments) = 0;
    // Removes the entry; removing one that is not there succeeds.
    virtual bool removeEntry(const QString& name) = 0;
};
