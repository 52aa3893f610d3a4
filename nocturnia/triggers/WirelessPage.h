#pragma once

#include <QObject>

class Dialogs;
class FolderChooser;
class QCheckBox;
class QFrame;
class QGroupBox;
class SettingsStore;

// The page "Ostrel Wireless Technologies": the folder trigger's panel and the network
// trigger's panel, with their settings read at load.
class WirelessPage final : public QObject {
    Q_OBJECT
public:
    WirelessPage(QGroupBox& Frame5, Dialogs& dialogs, SettingsStore& settings);

    // The load's steps: each reads its setting into its control and says whether it could.
    bool readFolder();
    bool readTidelink();
    bool readFarcall();

    QFrame* Frame1; // the folder trigger
    FolderChooser* BrowseFolder1;
    QCheckBox* Check1;
    QFrame* Frame6; // the network trigger
    QCheckBox* Check6;

private:
    bool readCheck(QCheckBox* box, const QString& key);

    SettingsStore& m_settings;
};
