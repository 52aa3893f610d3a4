#pragma once

#include "base/ControlLoader.h"
#include "commands/CommandOperations.h"
#include "commands/WakeUpAlarm.h"
#include "controls/utimerCTL.h"
#include "conventions/ControlHosting.h"
#include "platform/IniSettingsStore.h"
#include "platform/XdgAutostartRunList.h"
#include "schedule/AutomaticCommandsPage.h"
#include "schedule/ScheduleDetails.h"
#include "schedule/ScheduleEvaluation.h"
#include "shell/Main.h"
#include "support/ManualTime.h"
#include "support/RecordingAlarmPlayer.h"
#include "support/RecordingDialogs.h"
#include "support/RecordingFileOpener.h"
#include "support/RecordingPowerRequests.h"
#include "support/RecordingTrayIcon.h"
#include "support/ScriptedAudioInput.h"
#include "support/ScriptedFolderAccess.h"
#include "support/ScriptedInterfaceCounters.h"
#include "support/ScriptedListener.h"
#include "triggers/WirelessPage.h"

#include <QTemporaryDir>
#include <QWidget>
#include <memory>

// A stand-in for the library's date picker that records how the host drives it.
class FakePicker final : public QWidget, public conv::HostedControl {
    Q_OBJECT
    Q_INTERFACES(conv::HostedControl)
    Q_PROPERTY(QString Text READ text WRITE setText)
    Q_PROPERTY(int Value READ value WRITE setValue)
public:
    using QWidget::QWidget;
    QStringList calls;
    conv::PropertyBag design;

    QString text() const { return m_text; }
    void setText(const QString& t) {
        calls << QStringLiteral("Text=") + t;
        m_text = t;
    }
    int value() const { return m_value; }
    void setValue(int v) {
        calls << QStringLiteral("Value=%1").arg(v);
        m_value = v;
    }

    void initNewControl(const conv::AmbientProperties&) override {}
    void readProperties(const conv::PropertyBag& bag, const conv::AmbientProperties&) override {
        calls << QStringLiteral("readProperties");
        design = bag;
    }
    void writeProperties(conv::PropertyBag&, const conv::AmbientProperties&) const override {}
    bool dispatch(qint32, conv::DispatchKind, QVariant&, QString*) override { return false; }

private:
    QString m_text;
    int m_value = 0;
};

class FakeLoader final : public ControlLoader {
public:
    bool available = false;
    QString askedFor;
    FakePicker* made = nullptr;
    QWidget* createControl(const QString& className, QWidget* parent, QString* error) override {
        askedFor = className;
        if (!available) {
            *error = QStringLiteral("not installed");
            return nullptr;
        }
        made = new FakePicker(parent);
        return made;
    }
};

// One main window with doubles for everything outside, on a manual clock.
struct Fixture {
    QTemporaryDir dir;
    IniSettingsStore settings{dir.filePath(QStringLiteral("settings.ini"))};
    RecordingFileOpener opener;
    RecordingDialogs dialogs;
    FakeLoader controls;
    RecordingPowerRequests power;
    RecordingAlarmPlayer player;
    ScriptedInterfaceCounters interfaces;
    RecordingTrayIcon tray;
    ScriptedAudioInput audio;
    ManualTime time{QDateTime(QDate(2026, 12, 9), QTime(22, 15, 30))};
    conv::DateTimeConventions conventions = conv::DateTimeConventions::usEnglish();
    XdgAutostartRunList runList{dir.filePath(QStringLiteral("autostart"))};
    ScriptedFolderAccess folder;
    ScriptedListener listener;
    std::unique_ptr<Main> main;

    MainServices services(ControlLoader& loader) {
        return MainServices{settings,
                            opener,
                            dialogs,
                            loader,
                            power,
                            player,
                            audio,
                            interfaces,
                            tray,
                            time,
                            time,
                            conventions,
                            QStringLiteral("/opt/nocturnia"),
                            QStringLiteral("nocturnia"),
                            runList,
                            folder,
                            listener};
    }
    Main& make() {
        main = std::make_unique<Main>(services(controls));
        return *main;
    }
    Main& load() {
        make().Form_Load();
        return *main;
    }
    // With the library's date picker standing in, so that no word about a missing one shows.
    Main& loadWithPicker() {
        controls.available = true;
        return load();
    }
};
