#pragma once

#include "base/StateField.h"
#include "sound/SoundMeter.h"

#include <QWidget>
#include <memory>

class AudioInput;
class Dialogs;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class SettingsStore;
class UpDown;

namespace conv {
class Timer;
class TimerSource;
} // namespace conv

namespace nocturnia {
class XP_ProgressBar;
class ucHistogram;
} // namespace nocturnia

// The sound activation console: measures the microphone level once per recorded block, less
// a learned background noise, shows both, and when the remaining level rises above the
// threshold asks the main window to perform the selected command by writing "1" into its
// mailbox. Hiding it keeps it working; closing it unloads it and stops the recording.
class Form1 final : public QWidget {
    Q_OBJECT
public:
    struct Links {
        conv::TimerSource& timers;
        SettingsStore& settings;
        Dialogs& dialogs;
        AudioInput& audio;
        StateField& mainText7; // the main window's command mailbox
    };

    // The sampling tick's beat.
    static constexpr int samplingTickMs = 70;

    explicit Form1(Links links, QWidget* parent = nullptr);
    ~Form1() override;

    // Reads the settings, starts the recording and the start delay.
    void Form_Load();
    // Stops the timers and the recording; closing the window does it.
    void Form_Unload();
    bool loaded() const { return m_loaded; }

    // Handlers.
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();
    void Command3_Click();
    void chameleonButton2_Click();
    void chameleonButton1_Click();

    // "Excluding The Detected 12.3% Background Noise" for a noise of 12.345.
    static QString noiseCaption(double noise);
    // Int(RoundMe × 10^RoundTo + 0.5) / 10^RoundTo.
    static double Round(double RoundMe, int RoundTo);

    SoundMeter meter;

    QGroupBox* Frame4 = nullptr;
    nocturnia::ucHistogram* ucHistogram1 = nullptr;
    QGroupBox* Frame5 = nullptr;
    QLabel* Label12 = nullptr;
    QGroupBox* Frame3 = nullptr;
    nocturnia::XP_ProgressBar* ProgressBar1 = nullptr;
    QLabel* Label9 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label4 = nullptr;
    nocturnia::XP_ProgressBar* XP_ProgressBar1 = nullptr;
    QPushButton* Command3 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* Text5 = nullptr;
    UpDown* UpDown1 = nullptr;
    nocturnia::XP_ProgressBar* XP_ProgressBar2 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label10 = nullptr;
    QLineEdit* Text7 = nullptr;
    UpDown* UpDown2 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label11 = nullptr;
    QLineEdit* Text8 = nullptr;
    QPushButton* chameleonButton2 = nullptr;
    QPushButton* chameleonButton1 = nullptr;

    std::unique_ptr<conv::Timer> Timer1; // 70 ms: sampling, ticks that can find nothing left out
    std::unique_ptr<conv::Timer> Timer2; // 3000 ms once: start delay
    std::unique_ptr<conv::Timer> Timer3; // 500 ms: normalisation

    // Hidden fields.
    StateField Text10{QStringLiteral("0")}; // raw level of the last block
    StateField Text11{QStringLiteral("0")}; // normalised level
    StateField Text4{QStringLiteral("0")};  // learned background noise
    StateField Label2{QStringLiteral("0")}; // copy of the noise; the maxima follow it
    StateField Text9{QStringLiteral("0")};  // alternating count flag
    StateField Text1{QStringLiteral("0")};  // normalisation: current sample
    StateField Text2{QStringLiteral("0")};  // normalisation: sample count
    StateField Text3{QStringLiteral("0")};  // normalisation: running sum

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void build();
    void sample(qint16 level);
    void writeText11(const QString& text);
    void triggerTest();
    void setLabel2(const QString& text);
    void maximaUpdate();
    void thresholdDisplay();
    void updateBusyLabel();
    void newLevelAnnounced();
    void skipQuietTicks();

    Links m_links;
    bool m_loaded = false;
    bool m_initialising = true;
    bool m_hadInput = false;
};
