#include "RealServices.h"

#include "conventions/DesignFonts.h"

#include <QApplication>
#include <QDBusConnection>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString settingsFile() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/nocturnia/settings.ini");
}

} // namespace

RealServices::RealServices()
    : m_programFolder(QCoreApplication::applicationDirPath())
    , m_settings(settingsFile())
    , m_controls(m_programFolder + QStringLiteral("/libdatora.so"), m_clock, m_timers)
    // Connected on first use, never before the window shows.
    , m_power([] { return QDBusConnection::systemBus(); }, &LogindPowerRequests::connectSessionBus)
    , m_runList(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                QStringLiteral("/autostart")) {}

MainServices RealServices::mainServices() {
    return MainServices{
        m_settings,      m_fileOpener,
        m_dialogs,       m_controls,
        m_power,         m_player,
        m_audio,         m_interfaces,
        m_tray,          m_clock,
        m_timers,        conv::DateTimeConventions::system(),
        m_programFolder, QFileInfo(QCoreApplication::applicationFilePath()).fileName(),
        m_runList,       m_folder,
        m_listener};
}

void configureApplication() {
    QApplication::setApplicationName(QStringLiteral("Nocturnia"));
    // Minimising hides the window in the notification area; only unloading the main window
    // ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setFont(conv::designFont(QStringLiteral("Tahoma"), 8.25));
}
