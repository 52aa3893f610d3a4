#include "base/SettingsSave.h"

#include "base/Dialogs.h"
#include "base/SettingsStore.h"

#include <QStringList>

bool saveSettings(SettingsStore& store, const QList<SettingsEntry>& entries, Dialogs& dialogs,
                  QWidget* parent, const QString& confirmation) {
    QStringList saved;
    QStringList failures;
    for (const SettingsEntry& entry : entries) {
        const auto result = store.write(entry.application, entry.section, entry.key, entry.value);
        if (result.ok)
            saved << entry.key;
        else
            failures << QStringLiteral("%1: %2").arg(entry.key, result.error);
    }
    const QString title = QStringLiteral("Nocturnia");
    if (failures.isEmpty()) {
        dialogs.information(parent, title, confirmation);
        return true;
    }
    failures.removeDuplicates();
    saved.removeDuplicates();
    // Which settings did reach the file matters as much as which did not.
    const QString heading =
        saved.isEmpty() ? QStringLiteral("Your settings could not be saved.\n\n")
                        : QStringLiteral("Some of your settings could not be saved.\n\n"
                                         "Saved: ") +
                              saved.join(QStringLiteral(", ")) + QStringLiteral("\n\nNot saved:\n");
    dialogs.warning(parent, title, heading + failures.join(QLatin1Char('\n')));
    return false;
}
