#include "MyForm.h"

#include "Artwork.h"
#include "CommandButton.h"
#include "DateKey.h"
#include "DesignFonts.h"
#include "KiroXPComboBox.h"
#include "KiroXPSpin.h"
#include "LbDate.h"
#include "LibraryContext.h"
#include "conventions/ColourRef.h"
#include "conventions/DatePattern.h"
#include "conventions/DateSerial.h"
#include "conventions/NumericText.h"
#include "conventions/TimeText.h"
#include "conventions/Twips.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <limits>

namespace datora {

namespace {

const QColor kFrame(127, 157, 185);
const QColor kOtherMonth(192, 192, 192);
const QColor kHighlight(40, 106, 197);

// A borderless panel with a one-pixel frame of its own size.
class FramedPanel final : public QWidget {
public:
    FramedPanel(QWidget* parent, const QColor& background)
        : QWidget(parent)
        , m_background(background) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), m_background);
        painter.setPen(kFrame);
        painter.drawRect(0, 0, width() - 1, height() - 1);
    }

private:
    QColor m_background;
};

QLabel* label(QWidget* parent, const QString& text, const QFont& font, const QColor& colour,
              int leftTwips, int topTwips) {
    auto* item = new QLabel(text, parent);
    item->setFont(font);
    QPalette colours = item->palette();
    colours.setColor(QPalette::WindowText, colour);
    item->setPalette(colours);
    item->setAttribute(Qt::WA_TranslucentBackground);
    item->adjustSize();
    item->move(conv::twipsToPixels(leftTwips), conv::twipsToPixels(topTwips));
    return item;
}

} // namespace

MyForm::MyForm(LibraryContext& context, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
    , m_context(context)
    , m_cboMonth(new KiroXPComboBox(context, this))
    , m_spin(new KiroXPSpin(context, this))
    , m_close(new CommandButton(context, this))
    , m_lbNow(nullptr) {
    setWindowTitle(QStringLiteral("Form1"));
    setModal(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(250, 249, 245));
    setPalette(background);
    setAutoFillBackground(true);
    setFixedSize(conv::twipsToPixels(2745), conv::twipsToPixels(2835));

    m_cboMonth->setGeometry(conv::twipsRect(60, 60, 1785, 315));
    m_cboMonth->setControlFont(tahoma());

    m_spin->setGeometry(conv::twipsRect(1890, 60, 795, 330));
    m_spin->setControlFont(tahoma());
    m_spin->setText(QStringLiteral("2003"));
    m_spin->setMaximum(2100);
    m_spin->setMinimum(1900);

    auto* header = new FramedPanel(this, QColor(112, 150, 220));
    header->setGeometry(conv::twipsRect(60, 420, 2625, 285));
    const int headerLefts[7] = {90, 450, 840, 1170, 1560, 1950, 2280};
    const char* headerNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    for (int day = 0; day < 7; ++day)
        label(header, QLatin1String(headerNames[day]), tahoma(), Qt::white, headerLefts[day], 30);

    auto* grid = new FramedPanel(this, Qt::white);
    grid->setGeometry(conv::twipsRect(60, 720, 2625, 1725));
    for (int i = 0; i < kCellCount; ++i) {
        auto* day = new LbDate(context, grid);
        day->move(conv::twipsToPixels(60 + 360 * (i % 7)), conv::twipsToPixels(60 + 270 * (i / 7)));
        day->setControlFont(msSansSerif());
        connect(day, &LbDate::MouseDown, this, [this, i] { cellPressed(i); });
        connect(day, &LbDate::Click, this, [this, i] { cellClicked(i); });
        m_cells[std::size_t(i)] = day;
    }

    auto* legend = new QLabel(this);
    legend->setPixmap(QPixmap::fromImage(todayMarkerImage()));
    legend->setGeometry(conv::twipsRect(60, 2490, 345, 240));
    legend->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label(this, QStringLiteral("Today: "), tahoma(), Qt::black, 420, 2520);
    m_lbNow = label(this, QStringLiteral("2003/07/13"), tahoma(true), QColor(0, 0, 192), 960, 2520);

    m_close->setGeometry(conv::twipsRect(2070, 2490, 615, 285));
    m_close->setControlFont(tahoma());
    m_close->setForeColor(conv::systemColourRef(conv::SystemColour::WindowFrame));
    m_close->setForeHover(conv::colourRef(0, 0, 0));
    m_close->setCaption(QStringLiteral("Close"));
    connect(m_close, &CommandButton::Click, this, [this] { done(QDialog::Rejected); });

    connect(m_cboMonth, &KiroXPComboBox::Click, this, &MyForm::followControls);
    connect(m_cboMonth, &KiroXPComboBox::Change, this, &MyForm::followControls);
    connect(m_spin, &KiroXPSpin::Change, this, &MyForm::followControls);

    InitMonth();
}

MyForm::~MyForm() = default;

void MyForm::InitMonth() {
    m_cboMonth->Clear();
    const QDate first(2003, 1, 1);
    for (int month = 1; month <= 12; ++month)
        m_cboMonth->AddItem(conv::formatDate(first.addMonths(month - 1), QStringLiteral("mmmm"),
                                             m_context.conventions()));
}

void MyForm::followControls() {
    const qint64 year = conv::roundHalfEven(m_spin->value());
    if (year < std::numeric_limits<qint16>::min() || year > std::numeric_limits<qint16>::max())
        return; // a year that does not fit fails the fill
    SetDisplay(static_cast<qint16>(m_cboMonth->listIndex() + 1), static_cast<qint16>(year));
}

void MyForm::SetDisplay(qint16 bulan, qint16 tahun) {
    const QString firstText =
        QStringLiteral("%1/%2/01").arg(tahun).arg(int(bulan), 2, 10, QLatin1Char('0'));
    const auto first = conv::readDateTimeText(firstText, m_context.conventions());
    if (!first)
        return;
    const QDate firstDate = first->date();
    const int lead = firstDate.dayOfWeek(); // Monday 1 .. Sunday 7: a Sunday shows a whole week
    const qint32 start = conv::toDateSerial(firstDate) - lead;
    const QString today = todayKey(m_context.clock());
    const QString initial = dateKey(InitValue);
    for (int i = 0; i < kCellCount; ++i) {
        const qint32 serial = start + i;
        const QDate date = conv::fromDateSerial(serial);
        if (!date.isValid())
            return;
        LbDate* day = m_cells[std::size_t(i)];
        day->setValue(QString::number(date.day()));
        day->setFontBold(false);
        day->setForeColor(Qt::black);
        day->setBackColor(Qt::white);
        day->setTanggal(QString::number(serial));
        if (date.month() != bulan)
            day->setForeColor(kOtherMonth);
        const QString key = dateKey(serial);
        if (key == today) {
            day->SetPicture(true);
        } else {
            day->SetPicture(false);
            if (key == initial) {
                day->setFontBold(true);
                day->setForeColor(Qt::white);
                day->setBackColor(kHighlight);
            }
        }
    }
}

void MyForm::activate() {
    const QDate initial = conv::fromDateSerial(InitValue);
    const auto& conventions = m_context.conventions();
    const int month = conv::formatDate(initial, QStringLiteral("mm"), conventions).toInt();
    const int year = conv::formatDate(initial, QStringLiteral("yyyy"), conventions).toInt();
    m_context.processEvents();
    m_cboMonth->setListIndex(static_cast<qint16>(month - 1));
    m_spin->setValue(year);
    m_context.processEvents();
    SetDisplay(static_cast<qint16>(month), static_cast<qint16>(year));
    m_lbNow->setText(todayKey(m_context.clock()));
    m_lbNow->adjustSize();
}

void MyForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    activate();
}

void MyForm::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(kFrame);
    painter.drawRect(0, 0, width() - 1, height() - 1);
}

void MyForm::keyPressEvent(QKeyEvent* event) {
    // Only a day or "Close" ends the calendar; a dialog's Escape would too.
    if (event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void MyForm::cellPressed(int index) {
    if (m_cells[std::size_t(index)]->value().isEmpty())
        return;
    for (int i = 0; i < kCellCount; ++i) {
        LbDate* day = m_cells[std::size_t(i)];
        day->SetPicture(false);
        if (day->foreColor() == kOtherMonth)
            continue;
        if (i != index) {
            day->setBackColor(Qt::white);
            day->setFontBold(false);
            day->setForeColor(Qt::black);
        } else {
            day->setBackColor(kHighlight);
            day->setFontBold(true);
            day->setForeColor(Qt::white);
        }
    }
}

void MyForm::cellClicked(int index) {
    m_context.setPickedValue(m_cells[std::size_t(index)]->tanggal().toInt());
    done(QDialog::Accepted);
}

} // namespace datora
