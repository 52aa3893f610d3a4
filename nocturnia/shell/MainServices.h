#pragma once

#include "conventions/DateTimeConventions.h"

#include <QString>

class AlarmPlayer;
class ConnectionListener;
class AudioInput;
class ControlLoader;
class Dialogs;
class FileOpener;
class FolderAccess;
class InterfaceCounters;
class PowerRequests;
class RunList;
class SettingsStore;
class TrayIcon;

namespace conv {
class Clock;
class TimerSource;
} // namespace conv

// What the main window needs of the outside world, built once by the composition root (and
// by the tests, with doubles).
struct MainServices {
    SettingsStore& settings;
    FileOpener& fileOpener;
    Dialogs& dialogs;
    ControlLoader& controls;
    PowerRequests& power;
    AlarmPlayer& player;           // the program's one media player
    AudioInput& audio;             // the sound server's default input
    InterfaceCounters& interfaces; // the network interface table
    TrayIcon& tray;                // the program's one notification-area icon
    conv::Clock& clock;
    conv::TimerSource& timers;
    conv::DateTimeConventions conventions;
    // The folder that holds the executable, without a trailing separator; the documents and
    // sounds the program opens sit there.
    QString programFolder;
    // The executable's file name, as the run list names the program.
    QString executableName;
    RunList& runList;             // the programs the desktop session starts at log-on
    FolderAccess& folder;         // the folder trigger's files and watch
    ConnectionListener& listener; // the network trigger's port
};
