#pragma once

#include <QObject>
#include <QString>
#include <functional>

class ClickableLabel;
class QGroupBox;
class QLabel;
class QWidget;

// The frame "Navigation Menu" with its four links and their pictures, and the two hot spots
// over the banner that open the help file and the campaign document.
class Navigation final : public QObject {
    Q_OBJECT
public:
    struct Links {
        QWidget& window;       // holds the banner's hot spots
        QGroupBox& Frame7;     // "Navigation Menu"
        QWidget& commandsPage; // Frame8
        QWidget& wirelessPage; // Frame5
        QString programFolder;
        std::function<void(const QString&)> launchApp;
        std::function<void()> openSoundConsole;
        std::function<void()> exitApplication;
    };
    explicit Navigation(Links links);

    // Opens the help file beside the executable (the banner's first hot spot and F1).
    void openHelp();
    void openCampaign();

    // The banner's hot spots.
    ClickableLabel* Label49; // help
    ClickableLabel* Label48; // campaign document
    // The links, each with its picture to the left.
    ClickableLabel* Label28; // "Automatic Commands"
    ClickableLabel* Label9;  // "Wireless Technologies"
    ClickableLabel* Label47; // "Sound Activation Console"
    ClickableLabel* Label8;  // "Exit Application"
    QLabel* Image1;
    QLabel* Image2;
    QLabel* Image3;
    QLabel* Image4;

private:
    // Shows one page and hides the other; neither page's controls are touched.
    void showPage(QWidget& shown, QWidget& hidden);

    Links m_links;
};
