#pragma once

#include "conventions/DateTimeConventions.h"

#include <QString>

class AlarmPlayer;
class AudioInput;
class ControlLoader;
class Dialogs;
class FileOpener;
class PowerRequests;
class SettingsStore;

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
    AlarmPlayer& player; // the program's one media player
    AudioInput& audio;   // the sound server's default input
    conv::Clock& clock;
    conv::TimerSource& timers;
    conv::DateTimeConventions conventions;
    // The folder that holds the executable, without a trailing separator; the documents and
    // sounds the program opens sit there.
    QString programFolder;
};
