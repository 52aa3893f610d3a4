#include "sound/Form1.h"

#include "base/AppIcon.h"
#include "base/Dialogs.h"
#include "base/SettingConversion.h"
#include "base/SettingsSave.h"
#include "base/SettingsStore.h"
#include "controls/XP_ProgressBar.h"
#include "controls/ucHistogram.h"
#include "conventions/ColourRef.h"
#include "conventions/NumericText.h"
#include "conventions/PropertyBag.h"
#include "conventions/Timer.h"
#include "sound/UpDown.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QPushButton>
#include <algorithm>
#include <cmath>

Q_LOGGING_CATEGORY(lcConsole, "nocturnia.sound")

namespace {

const QString application = QStringLiteral("Nocturnia");
const QString section = QStringLiteral("Audio");
// The stored names do not say what they hold: the threshold is kept under "Triggers" and the
// trigger limit under "Sensitivity".
const QString noiseKey = QStringLiteral("Background Noise");
const QString thresholdKey = QStringLiteral("Triggers");
const QString limitKey = QStringLiteral("Sensitivity");

constexpr int blockBytes = 3000;
constexpr int blockMs = blockBytes / 8; // at 8000 samples a second
constexpr int normalisationSamples = 100;

quint32 colourRef(int red, int green, int blue) {
    return quint32(red) | quint32(green) << 8 | quint32(blue) << 16;
}

QGroupBox* frame(const QString& caption, QWidget* parent, int x, int y, int w, int h) {
    auto* box = new QGroupBox(caption, parent);
    box->setGeometry(x, y, w, h);
    return box;
}

QLabel* label(const QString& text, QWidget* parent, int x, int y, int w, int h) {
    auto* l = new QLabel(text, parent);
    l->setGeometry(x, y, w, h);
    return l;
}

QLineEdit* textBox(const QString& text, QWidget* parent, int x, int y, int w, int h) {
    auto* box = new QLineEdit(text, parent);
    box->setGeometry(x, y, w, h);
    return box;
}

nocturnia::XP_ProgressBar* bar(quint32 colour, int max, QWidget* parent, int x, int y, int w,
                               int h) {
    auto* b = new nocturnia::XP_ProgressBar(parent);
    b->setGeometry(x, y, w, h);
    conv::PropertyBag design;
    design.write(QStringLiteral("Color"), conv::ColourValue{colour});
    design.write(QStringLiteral("Max"), qint32(max));
    design.write(QStringLiteral("Scrolling"), qint32(1));
    design.write(QStringLiteral("ShowText"), true);
    b->readProperties(design);
    return b;
}

// A threshold as a number, or nothing when its text is not one.
std::optional<double> numberIn(const QString& text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

} // namespace

Form1::Form1(Links links, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , meter(links.audio, links.dialogs)
    , Timer1(links.timers.createTimer())
    , Timer2(links.timers.createTimer())
    , Timer3(links.timers.createTimer())
    , m_links(links) {
    meter.setOnNewLevel([this] { newLevelAnnounced(); });
    setObjectName(QStringLiteral("Form1"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Veloxa Audio Sensitive Activation"));
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
    build();

    Timer1->setInterval(samplingTickMs);
    Timer2->setInterval(3000);
    Timer3->setInterval(500);
    connect(Timer1.get(), &conv::Timer::timeout, this, &Form1::Timer1_Timer);
    connect(Timer2.get(), &conv::Timer::timeout, this, &Form1::Timer2_Timer);
    connect(Timer3.get(), &conv::Timer::timeout, this, &Form1::Timer3_Timer);
}

Form1::~Form1() {
    Form_Unload();
}

void Form1::build() {
    setFixedSize(640, 420);

    Frame4 = frame(QStringLiteral("Noise (Including Background Noise)"), this, 8, 6, 308, 206);
    ucHistogram1 = new nocturnia::ucHistogram(Frame4);
    ucHistogram1->setGeometry(10, 20, 288, 176);
    conv::PropertyBag histogram;
    histogram.write(QStringLiteral("Max"), qint32(130));
    histogram.write(QStringLiteral("NumberOfPoints"), qint32(70));
    histogram.write(QStringLiteral("GridTickHorizontal"), qint16(5));
    histogram.write(QStringLiteral("GridTickVertical"), qint16(5));
    histogram.write(QStringLiteral("GridColour"), conv::ColourValue{colourRef(0, 64, 0)});
    ucHistogram1->readProperties(histogram);
    Frame5 = frame(QString(), Frame4, 84, 88, 140, 36);
    Frame5->setAutoFillBackground(true);
    Frame5->setPalette(palette());
    Label12 = label(QStringLiteral("Initializing..."), Frame5, 4, 8, 132, 20);
    Label12->setAlignment(Qt::AlignCenter);

    Frame3 = frame(QStringLiteral("Normalized Noise Level"), this, 8, 218, 308, 80);
    ProgressBar1 = bar(colourRef(0, 192, 0), 128, Frame3, 10, 22, 288, 22);
    Label9 = label(QStringLiteral("Excluding The Detected 0% Background Noise"), Frame3, 10, 50,
                   288, 20);

    Frame1 = frame(QStringLiteral("Background Noise Normalization"), this, 324, 6, 308, 206);
    Label5 = label(QStringLiteral("Preferably the current noise levels should be equal to roughly "
                                  "0% when there is no abnormal noise taking place.\n"
                                  "If not please adapt this system to it's current enviormental "
                                  "background noise. During this adaptation process make sure "
                                  "that you do not make any abnormal noises to ensure accurate "
                                  "results.\n"
                                  "When you are ready to start the background noise normalization "
                                  "process please click on the Start Normalization Process button "
                                  "available below."),
                   Frame1, 10, 16, 288, 106);
    Label5->setWordWrap(true);
    Label5->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label4 =
        label(QStringLiteral("Background Noise Normalization Progress"), Frame1, 10, 124, 288, 18);
    XP_ProgressBar1 = bar(colourRef(128, 128, 128), 100, Frame1, 10, 144, 288, 20);
    Command3 = new QPushButton(QStringLiteral("Start Normalization Process"), Frame1);
    Command3->setGeometry(64, 172, 180, 26);
    connect(Command3, &QPushButton::clicked, this, &Form1::Command3_Click);

    Frame2 = frame(QStringLiteral("Sound Sensitivity Settings"), this, 324, 218, 308, 150);
    Label3 =
        label(QStringLiteral("React Only When Sound Level Is Above:"), Frame2, 10, 24, 210, 18);
    Text5 = textBox(QStringLiteral("80"), Frame2, 226, 22, 44, 22);
    UpDown1 = new UpDown(*Text5, 80, 0, 128, 5, Frame2);
    UpDown1->setGeometry(270, 22, 16, 22);
    XP_ProgressBar2 = bar(colourRef(128, 128, 128), 128, Frame2, 10, 50, 288, 20);
    Label6 = label(QStringLiteral("Disable Sound Sensitivity Reaction:"), Frame2, 10, 84, 170, 18);
    Label10 = label(QStringLiteral("After"), Frame2, 184, 84, 26, 18);
    Text7 = textBox(QStringLiteral("0"), Frame2, 212, 82, 32, 22);
    UpDown2 = new UpDown(*Text7, 0, 0, 100, 1, Frame2);
    UpDown2->setGeometry(244, 82, 16, 22);
    Label7 = label(QStringLiteral("Triggers"), Frame2, 262, 84, 44, 18);
    Label11 = label(QStringLiteral("Triggers So Far:"), Frame2, 10, 116, 100, 18);
    Text8 = textBox(QStringLiteral("0"), Frame2, 110, 114, 44, 22);
    connect(Text5, &QLineEdit::textChanged, this, &Form1::thresholdDisplay);

    chameleonButton2 = new QPushButton(QStringLiteral("Save Sound Sensitivity Settings "), this);
    chameleonButton2->setGeometry(250, 380, 200, 28);
    chameleonButton1 = new QPushButton(QStringLiteral("Hide Console Interface"), this);
    chameleonButton1->setGeometry(460, 380, 172, 28);
    connect(chameleonButton2, &QPushButton::clicked, this, &Form1::chameleonButton2_Click);
    connect(chameleonButton1, &QPushButton::clicked, this, &Form1::chameleonButton1_Click);
}

void Form1::Form_Load() {
    SetAppIcon(this, QStringLiteral("AAA"), false);
    meter.BufferSize = blockBytes;
    Text4.setText(m_links.settings.read(application, section, noiseKey, Text4.text()).trimmed());
    Text5->setText(m_links.settings.read(application, section, thresholdKey, Text5->text()));
    Text7->setText(m_links.settings.read(application, section, limitKey, Text7->text()));
    setLabel2(Text4.text());
    Label9->setText(noiseCaption(Label2.number()));
    thresholdDisplay();
    m_loaded = true;
    meter.StartInput(this);
    m_hadInput = meter.recording();
    // The figure of a block finished by now, if any: the recording runs on its own, so
    // nothing waits for the first block here.
    Text10.setText(QString::number(meter.GetLevel()));
    m_initialising = true;
    updateBusyLabel();
    Timer2->start();
}

void Form1::Form_Unload() {
    Timer1->stop();
    Timer2->stop();
    Timer3->stop();
    meter.StopInput();
    m_loaded = false;
}

void Form1::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

void Form1::Timer2_Timer() {
    Text10.setText(QString::number(meter.GetLevel()));
    Timer1->setInterval(samplingTickMs);
    Timer1->start();
    m_initialising = false;
    updateBusyLabel();
    Timer2->stop();
}

void Form1::Timer1_Timer() {
    const bool hasInput = meter.recording();
    if (hasInput != m_hadInput) {
        m_hadInput = hasInput;
        updateBusyLabel();
        // Without a recording the level is silence: the bars fall once, then wait for sound.
        if (!hasInput)
            sample(0);
    }
    if (const auto level = meter.NewLevel())
        sample(*level);
    skipQuietTicks();
}

void Form1::newLevelAnnounced() {
    // Sampling starts after the start delay.
    if (!Timer1->isActive())
        return;
    Timer1_Timer();
    Timer1->start(); // the spare tick counts from the level just taken
}

void Form1::skipQuietTicks() {
    // A tick before the block being recorded can have finished would find nothing: the next
    // tick is the first one by which it can have, still on the ticks' own beat. While the
    // input cannot tell, every tick looks. A recording that announces its levels takes each
    // at once; a spare tick a block late still notices a recording lost.
    int quietMs = meter.msUntilNewLevel();
    if (meter.announcesLevels() && meter.recording())
        quietMs = std::max(quietMs, blockMs);
    const int ticks = std::max(1, (quietMs + samplingTickMs - 1) / samplingTickMs);
    if (Timer1->isActive() && Timer1->interval() != ticks * samplingTickMs)
        Timer1->setInterval(ticks * samplingTickMs);
}

void Form1::sample(qint16 level) {
    Text10.setText(QString::number(level));
    writeText11(conv::shortestDecimal(Text10.number() - Text4.number()));
    if (Text11.number() < 0)
        writeText11(QStringLiteral("0"));
    ProgressBar1->setValue(qint32(conv::roundHalfEven(Text11.number())));
    ucHistogram1->NextPoint(qint32(Text10.number()));
}

void Form1::writeText11(const QString& text) {
    Text11.setText(text);
    // Every write tests, also one that leaves the text as it was.
    triggerTest();
}

void Form1::triggerTest() {
    const double limit = conv::leadingNumber(Text7->text());
    const double count = conv::leadingNumber(Text8->text());
    if (limit != 0 && !(count < limit))
        return;
    // A threshold that is no number never fires.
    const auto threshold = numberIn(Text5->text());
    // The bar still holds the previous tick's level, as a whole percentage of its range.
    if (!threshold || !(*threshold < ProgressBar1->value()))
        return;
    if (Text9.number() == 0) {
        Text8->setText(conv::shortestDecimal(count + 1));
        Text9.setText(QStringLiteral("1"));
    } else if (Text9.number() == 1) {
        Text9.setText(QStringLiteral("0"));
    }
    m_links.mainText7.setText(QStringLiteral("1"));
}

void Form1::setLabel2(const QString& text) {
    Label2.setText(text);
    maximaUpdate();
}

void Form1::maximaUpdate() {
    const auto maximum = qint32(conv::roundHalfEven(128 - Label2.number()));
    ProgressBar1->setMax(maximum);
    XP_ProgressBar2->setMax(maximum);
    UpDown1->setMaximum(maximum);
    // A new range shows at the next redraw; the threshold is drawn against it now.
    thresholdDisplay();
}

void Form1::thresholdDisplay() {
    XP_ProgressBar2->setValue(integerFromSetting(Text5->text()).value_or(0));
}

void Form1::updateBusyLabel() {
    QString text;
    if (m_initialising)
        text = QStringLiteral("Initializing...");
    else if (!meter.recording())
        text = QStringLiteral("No microphone");
    else if (Timer3->isActive())
        text = QStringLiteral("Normalizing...");
    Label12->setText(text);
    Frame5->setVisible(!text.isEmpty());
}

void Form1::Command3_Click() {
    for (StateField* field : {&Text4, &Text3, &Text2, &Text1})
        field->setText(QStringLiteral("0"));
    XP_ProgressBar1->setValue(0);
    Command3->setText(QStringLiteral("Please Wait..."));
    Command3->setEnabled(false);
    Timer3->start();
    updateBusyLabel();
}

void Form1::Timer3_Timer() {
    XP_ProgressBar1->setMax(normalisationSamples);
    Text1.setText(QString::number(ProgressBar1->value()));
    Text2.setText(conv::shortestDecimal(Text2.number() + 1));
    Text3.setText(conv::shortestDecimal(Text3.number() + Text1.number()));
    XP_ProgressBar1->setValue(qint32(Text2.number()));
    if (Text2.number() != normalisationSamples)
        return;
    Text4.setText(conv::shortestDecimal(Text3.number() / Text2.number()));
    setLabel2(Text4.text());
    Text2.setText(QStringLiteral("0"));
    const auto stored = m_links.settings.write(application, section, noiseKey, Text4.text());
    if (!stored.ok)
        qCWarning(lcConsole) << "background noise not stored:" << stored.error;
    Label9->setText(noiseCaption(Label2.number()));
    Command3->setText(QStringLiteral("Start Normalization Process"));
    Command3->setEnabled(true);
    Timer3->stop();
    updateBusyLabel();
}

void Form1::chameleonButton2_Click() {
    saveSettings(m_links.settings,
                 {{application, section, noiseKey, Text4.text()},
                  {application, section, thresholdKey, Text5->text()},
                  {application, section, limitKey, Text7->text()}},
                 m_links.dialogs, this,
                 QStringLiteral("Your Ssettings have been successfully saved!"));
}

void Form1::chameleonButton1_Click() {
    hide();
}

double Form1::Round(double RoundMe, int RoundTo) {
    const double scale = std::pow(10.0, RoundTo);
    return std::floor(RoundMe * scale + 0.5) / scale;
}

QString Form1::noiseCaption(double noise) {
    return QStringLiteral("Excluding The Detected ") + conv::shortestDecimal(Round(noise, 1)) +
           QStringLiteral("% Background Noise");
}
