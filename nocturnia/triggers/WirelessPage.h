#pragma once

#include <QObject>
#include <QString>

class ClickableLabel;
class CommandOperations;
class ConnectionListener;
class Farcall;
class Dialogs;
class FolderAccess;
class FolderChooser;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QSpinBox;
class RunList;
class SettingsStore;
class Tidelink;

namespace conv {
class Clock;
class TimerSource;
} // namespace conv

namespace nocturnia {
class Run_At_StartUp;
} // namespace nocturnia

// The page "Ostrel Wireless Technologies": the folder trigger's panel, the network trigger's
// panel and the run-at-startup box, with their settings read at load and saved by the
// panels' links.
class WirelessPage final : public QObject {
    Q_OBJECT
public:
    struct Links {
        Dialogs& dialogs;
        SettingsStore& settings;
        RunList& runList;
        FolderAccess& folder;
        ConnectionListener& listener;
        CommandOperations& commands;
        conv::TimerSource& timers;
        conv::Clock& clock;
        QString programFolder;
        QString executableName;
    };

    WirelessPage(QGroupBox& Frame5, Links links);
    ~WirelessPage() override;

    // The load's steps: each reads its setting into its control and says whether it could.
    bool readFolder();
    bool readTidelink();
    bool readFarcall();

    // The panels' saves: the message says whether every value was written.
    bool Label23_Click();
    bool Label29_Click();

    QFrame* Frame1; // the folder trigger
    QLabel* Label22;
    FolderChooser* BrowseFolder1;
    QCheckBox* Check1;
    QLabel* Label21;
    QCheckBox* Check2; // TXT
    QCheckBox* Check3; // JPG
    QCheckBox* Check4; // GIF
    QCheckBox* Check5; // BMP
    ClickableLabel* Label23;
    QFrame* Frame6; // the network trigger
    QLabel* Label27;
    QCheckBox* Check6;
    QSpinBox* FarcallPort;       // the port listened on, "FarcallPort"
    QCheckBox* FarcallLocalOnly; // only the local network counts, "FarcallLocalOnly"
    QLabel* FarcallStatus;       // what the network trigger is doing
    ClickableLabel* Label29;
    nocturnia::Run_At_StartUp* Run_At_StartUp1;

    Tidelink* tidelink;
    Farcall* farcall;

private:
    bool readCheck(QCheckBox* box, const QString& key);
    bool readPort();
    QString startupText() const;

    QGroupBox& m_page;
    Links m_links;
};
