#include "base/SettingsSave.h"

#include "base/Dialogs.h"
#include "base/SettingsStore.h"

#include <QStringList>

bool saveSettings(SettingsStore& store, const QList<SettingsEntry>& entries, Dialogs& dialogs,
                  QWidget* parent, const QString& confirmation) {
    QStringList failures;
    for (const SettingsEntry& entry : entries) {
        const auto result = store.write(entry.application, entry.section, entry.key, entry.value);
        if (!result.ok)
            failures << QStringLiteral("%1: %2").arg(entry.key, result.error);
    }
    const QString title = QStringLiteral("Nocturnia");
    if (failures.isEmpty()) {
        dialogs.information(parent, title, confirmation);
        return true;
    }
    failures.removeDuplicates();
    dialogs.warning(parent, title,
                    QStringLiteral("Your settings could not be saved.\n\n") +
                        failures.join(QLatin1Char('\n')));
    return false;
}
