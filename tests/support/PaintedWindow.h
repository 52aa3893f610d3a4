#pragma once

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStringList>
#include <QWidget>

// Whether the user sees a control in its painted window: the window is painted with and
// without it, and somewhere in its place the two pictures differ. A control that a sibling
// made later covers (a background picture over a text box) makes no difference at all.
inline bool visibleInWindow(QWidget& control) {
    QWidget* window = control.window();
    const QRect place(control.mapTo(window, QPoint(0, 0)), control.size());
    const QImage with = window->grab().toImage().copy(place).convertToFormat(QImage::Format_RGB32);
    control.hide();
    const QImage without =
        window->grab().toImage().copy(place).convertToFormat(QImage::Format_RGB32);
    control.show();
    return with != without;
}

// The controls of a window that paint something of their own: texts, pictures, buttons,
// fields and boxes.
inline QList<QWidget*> paintingControls(QWidget& window) {
    QList<QWidget*> controls;
    const auto widgets = window.findChildren<QWidget*>();
    for (QWidget* widget : widgets) {
        const QRect place(widget->mapTo(&window, QPoint(0, 0)), widget->size());
        // A control the window's size leaves out is not shown, not covered.
        if (!widget->isVisibleTo(&window) || !place.intersects(window.rect()))
            continue;
        const auto* label = qobject_cast<QLabel*>(widget);
        const bool paints =
            (label && (!label->text().isEmpty() || !label->pixmap().isNull())) ||
            qobject_cast<QAbstractButton*>(widget) || qobject_cast<QLineEdit*>(widget) ||
            qobject_cast<QPlainTextEdit*>(widget) || qobject_cast<QComboBox*>(widget) ||
            qobject_cast<QAbstractSpinBox*>(widget) || qobject_cast<QGroupBox*>(widget);
        // The inner parts of a composite control are judged with the control.
        const bool inner =
            widget->parentWidget() && (qobject_cast<QComboBox*>(widget->parentWidget()) ||
                                       qobject_cast<QAbstractSpinBox*>(widget->parentWidget()) ||
                                       qobject_cast<QPlainTextEdit*>(widget->parentWidget()));
        if (paints && !inner)
            controls << widget;
    }
    return controls;
}

// The names (or classes) of the window's painting controls the user cannot see.
inline QStringList coveredControls(QWidget& window) {
    QStringList covered;
    const auto controls = paintingControls(window);
    for (QWidget* control : controls) {
        if (!visibleInWindow(*control))
            covered << (control->objectName().isEmpty()
                            ? QString::fromLatin1(control->metaObject()->className())
                            : control->objectName());
    }
    return covered;
}
