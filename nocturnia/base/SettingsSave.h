#pragma once

#include <QList>
#include <QString>

class Dialogs;
class QWidget;
class SettingsStore;

struct SettingsEntry {
    QString application;
    QString section;
    QString key;
    QString value;
};

// A save of the user's settings: writes every entry in order, each on its own (one failing
// does not stop the others, nothing is rolled back), then tells the user. Only when every
// write succeeded does the confirmation show (information icon); otherwise a warning says
// the settings could not be saved and why; when some of them were written, it names those
// too. Both with the title "Nocturnia".
bool saveSettings(SettingsStore& store, const QList<SettingsEntry>& entries, Dialogs& dialogs,
                  QWidget* parent, const QString& confirmation);
