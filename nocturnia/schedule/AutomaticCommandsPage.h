#pragma once

#include <QObject>
#include <QString>
#include <functional>

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
class StateField;

namespace conv {
class Timer;
}

// The page "Automatic Commands" where the user prepares the schedule: the command, its
// forced variant, the details some commands need, the schedule method with its parameters,
// and the button that arms and disarms the schedule. Its controls are the schedule's state.
class AutomaticCommandsPage final : public QObject {
    Q_OBJECT
public:
    // What the page acts on outside itself.
    struct Links {
        Dialogs& dialogs;
        std::function<void(const QString&)> launchApp;
        // Sets the main window's client height for the chosen schedule method.
        std::function<void(bool speedMethod)> setMethodHeight;
        conv::Timer& scheduleTick;  // Timer2: runs exactly while armed
        StateField& stateWord;      // Label5
        StateField& stateSentence;  // lblActive
        StateField& speedCondition; // Text8
    };

    AutomaticCommandsPage(QGroupBox& frame, Links links);

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

private:
    void showCommandPanel(QFrame* panel);

    Links m_links;
};
