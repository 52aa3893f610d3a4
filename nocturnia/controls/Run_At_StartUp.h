#pragma once

#include "conventions/PropertyBag.h"

#include <QFont>
#include <QString>
#include <QWidget>

class QCheckBox;
class RunList;

namespace nocturnia {

// A check box that registers the running program in the user's run list, so that the
// desktop session starts it at log-on, and removes it again. Its state is the entry's
// presence, read when the control is made; an entry found then is written again at once,
// so that it names the program where it runs now.
class Run_At_StartUp : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(QString Cmd_Line_arg READ cmdLineArg WRITE setCmdLineArg)
    Q_PROPERTY(qint32 Alignment READ alignment WRITE setAlignment)
    Q_PROPERTY(bool Run_At_StartUp READ runAtStartUp WRITE setRunAtStartUp)
    Q_PROPERTY(quint32 BackColor READ backColor WRITE setBackColor)
    Q_PROPERTY(quint32 ForeColor READ foreColor WRITE setForeColor)
    Q_PROPERTY(QFont Font READ controlFont WRITE setControlFont)

public:
    // The entry is named `executableName` and runs programFolder/executableName.
    Run_At_StartUp(RunList& runList, QString programFolder, QString executableName,
                   QWidget* parent = nullptr);

    QString caption() const;
    void setCaption(const QString& caption);
    // Takes effect at the next registration; an existing entry is not rewritten.
    QString cmdLineArg() const { return m_cmdLineArg; }
    void setCmdLineArg(const QString& arguments);
    // 0 box left of the caption, 1 box right of it; 2 (centre) is stored as 0.
    qint32 alignment() const { return m_alignment; }
    void setAlignment(qint32 alignment);
    // True when the box is not unchecked. Writing changes the box, and a change registers or
    // unregisters the program.
    bool runAtStartUp() const;
    void setRunAtStartUp(bool run);
    quint32 backColor() const { return m_backColour; }
    void setBackColor(quint32 colour);
    quint32 foreColor() const { return m_foreColour; }
    void setForeColor(quint32 colour);
    QFont controlFont() const { return m_font; }
    void setControlFont(const QFont& font);

    // Reads the run list and sets the box to match; returns the box's state.
    bool qurey();

    // The program the entry runs.
    QString programPath() const;

    // The stored design, in the order it is written; the font defaults to the host's.
    void readProperties(const conv::PropertyBag& bag, const QFont& ambientFont);
    void writeProperties(conv::PropertyBag& bag, const QFont& ambientFont) const;

    QCheckBox* RunAtStart;

Q_SIGNALS:
    // After every registration or removal.
    void Change();
    // A persisted property changed, so the host saves its design again.
    void propertyChanged(const QString& key);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void clickAction();
    void applyLook();

    RunList& m_runList;
    QString m_programFolder;
    QString m_executableName;
    QString m_cmdLineArg;
    qint32 m_alignment = 0;
    quint32 m_backColour;
    quint32 m_foreColour;
    QFont m_font;
};

} // namespace nocturnia
