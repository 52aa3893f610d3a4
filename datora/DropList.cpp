#include "DropList.h"

#include <QKeyEvent>
#include <QListView>
#include <QMouseEvent>
#include <algorithm>

namespace datora {

namespace {

constexpr int kMostVisibleEntries = 10;

} // namespace

QRect dropListGeometry(const QRect& control, int listHeight, const QRect& screen) {
    const int roomBelow = screen.bottom() - control.bottom();
    const int roomAbove = control.top() - screen.top();
    int height = listHeight;
    bool below = true;
    if (roomBelow < listHeight) {
        below = roomAbove < listHeight && roomBelow >= roomAbove;
        height = std::min(listHeight, below ? roomBelow : roomAbove);
    }
    const int top = below ? control.bottom() + 1 : control.top() - height;
    const int left =
        std::max(screen.left(), std::min(control.left(), screen.right() + 1 - control.width()));
    return QRect(left, top, control.width(), height);
}

DropList::DropList(QAbstractItemModel* model, QWidget* toggle, QWidget* owner)
    : QFrame(owner, Qt::Popup)
    , m_view(new QListView(this))
    , m_toggle(toggle) {
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    QPalette frame = palette();
    frame.setColor(QPalette::WindowText, QColor(127, 157, 185));
    setPalette(frame);

    m_view->setModel(model);
    m_view->setFrameStyle(QFrame::NoFrame);
    m_view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setUniformItemSizes(true);
    // The entry under the pointer is the marked one, as in any drop-down list.
    m_view->setMouseTracking(true);
    connect(m_view, &QListView::entered, this,
            [this](const QModelIndex& index) { m_view->setCurrentIndex(index); });
    connect(m_view, &QListView::clicked, this,
            [this](const QModelIndex& index) { pick(index.row()); });
}

int DropList::preferredHeight() const {
    const int rows = std::clamp(m_view->model()->rowCount(), 1, kMostVisibleEntries);
    const int rowHeight = std::max(m_view->sizeHintForRow(0), fontMetrics().height());
    return rows * rowHeight + 2 * frameWidth();
}

void DropList::open(const QRect& geometry, int row) {
    setGeometry(geometry);
    m_view->clearSelection();
    m_view->setCurrentIndex(QModelIndex());
    if (row >= 0) {
        const QModelIndex index = m_view->model()->index(row, 0);
        m_view->setCurrentIndex(index);
        m_view->scrollTo(index, QAbstractItemView::PositionAtTop);
    }
    show();
    m_view->setFocus(Qt::PopupFocusReason);
}

void DropList::resizeEvent(QResizeEvent*) {
    // No layout: a layout would hold the window at the view's minimum height.
    m_view->setGeometry(contentsRect());
}

void DropList::pick(int row) {
    close();
    Q_EMIT picked(row);
}

void DropList::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->globalPosition().toPoint();
    // The press that closes the list on its own button must not reach the button and open the
    // list again.
    if (m_toggle && m_toggle->rect().contains(m_toggle->mapFromGlobal(at)))
        setAttribute(Qt::WA_NoMouseReplay);
    else
        setAttribute(Qt::WA_NoMouseReplay, false);
    QFrame::mousePressEvent(event); // a pop-up closes on a press outside it
}

void DropList::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
        close();
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (m_view->currentIndex().isValid())
            pick(m_view->currentIndex().row());
        else
            close();
        break;
    default:
        QFrame::keyPressEvent(event);
    }
}

} // namespace datora
