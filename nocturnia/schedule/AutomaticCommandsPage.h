#pragma once

#include "commands/CommandInputs.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class Dialogs;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTimeEdit;
class SecondTimers;
struct ScheduleFields;

namespace conv {
class Timer;
}

// The page "Automatic Commands" where the user prepares the schedule: the command, its
// forced variant, the details some commands need, the schedule method with its parameters,
// and the button that arms and disarms the schedule. Its controls are the schedule's state,
// and the inputs of every command performed.
class AutomaticCommandsPage final : public QObject, public CommandInputs {
    Q_OBJECT
public:
    // What the page acts on outside itself.
    struct Links {
        Dialogs& dialogs;
        std::function<void(const QString&)> launchApp;
        // Sets the main window's client height for the chosen schedule method.
        std::function<void(bool speedMethod)> setMethodHeight;
        ScheduleFields& fields;
        SecondTimers& secondTimers; // Timer2 ticks there, after the display and countdown
    };

    AutomaticCommandsPage(QGroupBox& frame, Links links);
    ~AutomaticCommandsPage() override;

    QString selectedCommand() const override;
    bool forceFlag() const override;
    void testRunFile() override;
    void toggleSchedule() override;
    QString notificationTitle() const override;
    QString notificationText() const override;

    // Handlers.
    void CmbOption_Click();
    void Option5_Click();
    void Option6_Click();
    void CmdActive_Click();
    void chameleonButton1_Click();
    void Command2_Click();

    bool isArmed() const;

    QLabel* Label3;
    QComboBox* CmbOption;
    QCheckBox* chkForce;
    QLabel* Label51;
    QRadioButton* Option5; // "Download && Upload Speed"
    QRadioButton* Option6; // "Time && Date"
    QPushButton* CmdActive;

    QFrame* Frame12; // date-and-time panel; the date picker is placed in it by the window
    QTimeEdit* DT;   // the schedule time
    QFrame* Frame9;  // speed panel
    QComboBox* Combo1;
    QComboBox* Combo2;
    QLabel* lblDSpeed;
    QLabel* lblUSpeed;

    QFrame* Frame4; // picture only
    QFrame* Frame2; // alarm panel
    QFrame* Frame3; // run-file panel
    QLineEdit* Text2;
    QPushButton* chameleonButton1;
    QPushButton* Command2;
    QFrame* Frame10; // notification panel
    QLineEdit* Text11;
    QPlainTextEdit* Text12;

    // The schedule test: runs exactly while armed (1 ms at design).
    std::unique_ptr<conv::Timer> Timer2;

private:
    void showCommandPanel(QFrame* panel);

    Links m_links;
};
