#pragma once

#include <QString>

class QWidget;

// The modal dialogs the windows show: message boxes and file choosers. Tests answer them
// without showing anything.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // A modal message box with one OK button and the information or the warning icon.
    virtual void information(QWidget* parent, const QString& title, const QString& text) = 0;
    virtual void warning(QWidget* parent, const QString& title, const QString& text) = 0;

    // The full path of the chosen file, or an empty string when cancelled. `filter` lists
    // "Description (*.a *.b)" entries separated by ";;".
    virtual QString openFileName(QWidget* parent, const QString& title, const QString& filter) = 0;
    // The chosen folder, or an empty string when cancelled.
    virtual QString existingFolder(QWidget* parent, const QString& title, const QString& start) = 0;
};
