#include "RealServices.h"

#include "conventions/DesignFonts.h"

#include <QApplication>
#include <QDBusConnection>
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
    , m_power(QDBusConnection::systemBus(), QDBusConnection::sessionBus()) {}

MainServices RealServices::mainServices() {
    return MainServices{
        m_settings,     m_fileOpener, m_dialogs, m_controls, m_power,
        m_player,       m_audio,      m_clock,   m_timers,   conv::DateTimeConventions::system(),
        m_programFolder};
}

void configureApplication() {
    QApplication::setApplicationName(QStringLiteral("Nocturnia"));
    // Minimising hides the window in the notification area; only unloading the main window
    // ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setFont(conv::designFont(QStringLiteral("Tahoma"), 8.25));
}
