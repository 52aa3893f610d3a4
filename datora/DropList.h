#pragma once

#include <QFrame>
#include <QPointer>
#include <QRect>

class QAbstractItemModel;
class QListView;

namespace datora {

// Where a drop-down list of `listHeight` pixels goes for a control at `control` (both in
// screen pixels): under the control and as wide as it; above it only when the screen has no
// room below; when neither side has room, on the roomier side, cut to the room there. It is
// kept inside the screen sideways.
QRect dropListGeometry(const QRect& control, int listHeight, const QRect& screen);

// The pop-up list of the combo box, a window of its own over everything. A click on an entry,
// or Enter on the marked one, picks it; Escape, a press anywhere outside, or a press on the
// drop-down button that opened it closes it without a pick (that press does not reach the
// button, so it does not open the list again).
class DropList final : public QFrame {
    Q_OBJECT
public:
    // Lists the entries of `model`; `toggle` is the button that opens and closes it.
    DropList(QAbstractItemModel* model, QWidget* toggle, QWidget* owner);

    // Shows the list at `geometry` with `row` marked (none for -1).
    void open(const QRect& geometry, int row);
    QListView* view() const { return m_view; }
    // The height that shows every entry, at most ten.
    int preferredHeight() const;

Q_SIGNALS:
    void picked(int row);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void pick(int row);

    QListView* m_view;
    QPointer<QWidget> m_toggle;
};

} // namespace datora
