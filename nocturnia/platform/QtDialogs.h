#pragma once

#include "base/Dialogs.h"

// The dialogs as Qt's own modal message boxes and file dialogs.
class QtDialogs final : public Dialogs {
public:
    void information(QWidget* parent, const QString& title, const QString& text) override;
    void warning(QWidget* parent, const QString& title, const QString& text) override;
    QString openFileName(QWidget* parent, const QString& title, const QString& filter) override;
    QString existingFolder(QWidget* parent, const QString& title, const QString& start) override;
};
