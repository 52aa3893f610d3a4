#pragma once

#include "conventions/Clock.h"
#include "conventions/Timer.h"
#include "platform/DesktopFileOpener.h"
#include "platform/GstAlarmPlayer.h"
#include "platform/IniSettingsStore.h"
#include "platform/InotifyFolderAccess.h"
#include "platform/LogindPowerRequests.h"
#include "platform/NetlinkInterfaceCounters.h"
#include "platform/PluginControlLoader.h"
#include "platform/PulseAudioInput.h"
#include "platform/QtDialogs.h"
#include "platform/QtTrayIcon.h"
#include "platform/TcpConnectionListener.h"
#include "platform/XdgAutostartRunList.h"
#include "shell/MainServices.h"

// The real implementations of the main window's services, built once by the composition
// root: the per-user settings file, the desktop's file opener, Qt's dialogs, the control
// library beside the executable, the desktop's autostart folder, the system's file calls and
// inotify for the watched folder, a server socket for the network trigger, logind and the
// desktop's session manager for power requests, GStreamer for the alarm's sound, the sound
// server's default input for the sound console, the kernel's interface table, Qt's
// notification-area icon, the system clock and Qt's timers.
class RealServices {
public:
    RealServices();
    MainServices mainServices();

private:
    QString m_programFolder;
    // First: the control library's controls keep time with them.
    conv::SystemClock m_clock;
    conv::QtTimerSource m_timers;
    IniSettingsStore m_settings;
    DesktopFileOpener m_fileOpener;
    QtDialogs m_dialogs;
    PluginControlLoader m_controls;
    LogindPowerRequests m_power;
    GstAlarmPlayer m_player;
    PulseAudioInput m_audio;
    NetlinkInterfaceCounters m_interfaces;
    QtTrayIcon m_tray;
    XdgAutostartRunList m_runList;
    InotifyFolderAccess m_folder;
    TcpConnectionListener m_listener;
};

// The application object's settings that every way of starting the program shares.
void configureApplication();
