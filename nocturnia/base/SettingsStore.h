#pragma once

#include <QString>

// The per-user settings store: string values addressed by application, section and key,
// names compared without regard to letter case.
class SettingsStore {
public:
    struct WriteResult {
        bool ok = true;
        QString error; // why the write failed, for the user
    };

    virtual ~SettingsStore() = default;

    // The stored value, or `defaultValue` when the entry, its section or its application does
    // not exist or the store cannot be read. Never creates anything.
    virtual QString read(const QString& application, const QString& section, const QString& key,
                         const QString& defaultValue) const = 0;

    // Stores the value, creating the application and section as needed and replacing any
    // previous value.
    virtual WriteResult write(const QString& application, const QString& section,
                              const QString& key, const QString& value) = 0;
};
