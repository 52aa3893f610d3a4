// The calendar drop-down: the grid of a month, the highlight and press rules, the date keys.
#include "conventions/DateSerial.h"
#include "datora/CommandButton.h"
#include "datora/DateKey.h"
#include "datora/ImageBox.h"
#include "datora/KiroXPComboBox.h"
#include "datora/KiroXPSpin.h"
#include "datora/LbDate.h"
#include "datora/LibraryContext.h"
#include "datora/MyForm.h"
#include "support/ManualTime.h"

#include <QApplication>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <utility>

using namespace Qt::Literals::StringLiterals;

using datora::MyForm;

namespace {

const QColor kGrey(192, 192, 192);
const QColor kHighlight(40, 106, 197);

qint32 serial(int y, int m, int d) {
    return conv::toDateSerial(QDate(y, m, d));
}

// The six weeks of a grid as rows of day numbers, grey days in brackets.
QStringList weeks(std::initializer_list<const char*> rows) {
    QStringList texts;
    for (const char* row : rows)
        texts << QLatin1String(row);
    return texts;
}

} // namespace

class TestCalendar : public QObject {
    Q_OBJECT

    ManualTime m_time{QDateTime(QDate(2026, 12, 9), QTime(12, 0))};
    std::unique_ptr<datora::LibraryContext> m_context;

    std::unique_ptr<MyForm> openOn(qint32 initValue) {
        auto form = std::make_unique<MyForm>(*m_context);
        form->InitValue = initValue;
        form->activate();
        return form;
    }

    // The day numbers of a row of the grid, other-month days in brackets.
    static QString row(const MyForm& form, int week) {
        QStringList days;
        for (int i = week * 7; i < week * 7 + 7; ++i) {
            const datora::LbDate* day = form.cell(i);
            days << (day->foreColor() == kGrey ? QLatin1Char('(') + day->value() + QLatin1Char(')')
                                               : day->value());
        }
        return days.join(QLatin1Char(' '));
    }

private Q_SLOTS:
    void init() {
        m_context = std::make_unique<datora::LibraryContext>(
            m_time, m_time, conv::DateTimeConventions::usEnglish());
        m_context->setEventPump([] {});
    }

    void monthListAndToday() {
        auto form = openOn(serial(2003, 7, 13));
        QCOMPARE(form->monthList()->listCount(), qint16(12));
        QCOMPARE(form->monthList()->itemText(0), QStringLiteral("January"));
        QCOMPARE(form->monthList()->itemText(11), QStringLiteral("December"));
        QCOMPARE(form->monthList()->text(), QStringLiteral("July"));
        QCOMPARE(form->yearSpin()->text(), QStringLiteral("2003"));
        QCOMPARE(form->todayLabel()->text(), QStringLiteral("2026/12/09"));
    }

    void grids_data() {
        QTest::addColumn<qint32>("initValue");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("July 2003, the 1st a Tuesday")
            << serial(2003, 7, 13)
            << weeks({"(29) (30) 1 2 3 4 5", "6 7 8 9 10 11 12", "13 14 15 16 17 18 19",
                      "20 21 22 23 24 25 26", "27 28 29 30 31 (1) (2)",
                      "(3) (4) (5) (6) (7) (8) (9)"});
        QTest::newRow("June 2003, the 1st a Sunday")
            << serial(2003, 6, 2)
            << weeks({"(25) (26) (27) (28) (29) (30) (31)", "1 2 3 4 5 6 7", "8 9 10 11 12 13 14",
                      "15 16 17 18 19 20 21", "22 23 24 25 26 27 28", "29 30 (1) (2) (3) (4) (5)"});
        QTest::newRow("February 2004, a leap year")
            << serial(2004, 2, 10)
            << weeks({"(25) (26) (27) (28) (29) (30) (31)", "1 2 3 4 5 6 7", "8 9 10 11 12 13 14",
                      "15 16 17 18 19 20 21", "22 23 24 25 26 27 28",
                      "29 (1) (2) (3) (4) (5) (6)"});
    }
    void grids() {
        QFETCH(qint32, initValue);
        QFETCH(QStringList, rows);
        auto form = openOn(initValue);
        for (int week = 0; week < 6; ++week)
            QCOMPARE(row(*form, week), rows.at(week));
    }

    void cellsCarryTheirSerials() {
        auto form = openOn(serial(2003, 7, 13));
        QCOMPARE(form->cell(0)->tanggal(), QString::number(serial(2003, 6, 29)));
        QCOMPARE(form->cell(2)->tanggal(), QString::number(serial(2003, 7, 1)));
        QCOMPARE(form->cell(41)->tanggal(), QString::number(serial(2003, 8, 9)));
    }

    void startingDateHighlightAndToday() {
        auto form = openOn(serial(2003, 7, 13));
        const datora::LbDate* start = form->cell(14);
        QCOMPARE(start->value(), QStringLiteral("13"));
        QVERIFY(start->fontBold());
        QCOMPARE(start->foreColor(), QColor(Qt::white));
        QCOMPARE(start->backColor(), kHighlight);
        QVERIFY(!form->cell(15)->fontBold());

        // The starting date equal to today: the marker, no highlight.
        auto today = openOn(serial(2026, 12, 9));
        const datora::LbDate* cell = today->cell(2 + 8); // 1 December 2026 is a Tuesday, cell 2
        QCOMPARE(cell->value(), QStringLiteral("9"));
        QVERIFY(cell->hasPicture());
        QVERIFY(!cell->fontBold());
        QCOMPARE(cell->backColor(), QColor(Qt::white));
    }

    // The calendar as the picker shows it at the screen's top edge, driven by presses and keys
    // as the window system delivers them.
    std::unique_ptr<MyForm> shownAtTheTop(qint32 initValue) {
        auto form = std::make_unique<MyForm>(*m_context);
        form->InitValue = initValue;
        form->move(0, 0);
        form->show(); // activates
        if (!QTest::qWaitForWindowActive(form.get()))
            return nullptr;
        return form;
    }

    void monthButtonOpensAndClosesTheListWithoutAPick() {
        auto form = shownAtTheTop(serial(2003, 7, 13));
        QVERIFY(form);
        datora::KiroXPComboBox* months = form->monthList();
        const QPoint button =
            months->dropButton()->mapTo(form.get(), months->dropButton()->rect().center());
        QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {}, button);
        QVERIFY(months->isListDropped());
        QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {}, button);
        QVERIFY(!months->isListDropped());
        QCOMPARE(months->text(), QStringLiteral("July"));
        QCOMPARE(months->listIndex(), qint16(6));
        QCOMPARE(form->cell(2)->tanggal(), QString::number(serial(2003, 7, 1)));
    }

    void onlyADayOrCloseEndsTheCalendar() {
        auto form = shownAtTheTop(serial(2003, 7, 13));
        QVERIFY(form);
        QSignalSpy finished(form.get(), &QDialog::finished);
        QTest::keyClick(form->windowHandle(), Qt::Key_Escape);
        QVERIFY(form->isVisible());

        // Escape in the open month list closes the list only.
        datora::KiroXPComboBox* months = form->monthList();
        const QPoint button =
            months->dropButton()->mapTo(form.get(), months->dropButton()->rect().center());
        QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {}, button);
        QVERIFY(months->isListDropped());
        QTest::keyClick(QApplication::activePopupWidget()->windowHandle(), Qt::Key_Escape);
        QVERIFY(!months->isListDropped());
        QVERIFY(form->isVisible());
        QCOMPARE(finished.count(), 0);

        QTest::mouseClick(form->closeButton(), Qt::LeftButton, {}, QPoint(10, 10));
        QVERIFY(!form->isVisible());
        QCOMPARE(finished.count(), 1);
    }

    void highlightFollowsIntoTheNextMonth() {
        auto form = openOn(serial(2003, 7, 29));
        form->monthList()->setListIndex(7); // August: 29 July sits among the grey days
        QCOMPARE(form->cell(2)->value(), QStringLiteral("29"));
        QCOMPARE(form->cell(2)->backColor(), kHighlight);
        QCOMPARE(form->cell(2)->foreColor(), QColor(Qt::white));
        // A highlighted grey-month day counts as not grey when another day is pressed.
        QTest::mousePress(form->cell(10)->dayLabel(), Qt::LeftButton);
        QCOMPARE(form->cell(2)->foreColor(), QColor(Qt::black));
        QCOMPARE(form->cell(2)->backColor(), QColor(Qt::white));
        QCOMPARE(form->cell(10)->backColor(), kHighlight);
    }

    void yearFieldMovesTheGrid() {
        auto form = openOn(serial(2003, 7, 13));
        form->yearSpin()->setValue(2004); // July 2004 starts on a Thursday
        QCOMPARE(form->cell(4)->value(), QStringLiteral("1"));
        form->yearSpin()->setText(QStringLiteral("abc")); // not a date: the grid stays
        QCOMPARE(form->cell(4)->value(), QStringLiteral("1"));
        form->yearSpin()->setText(QStringLiteral("2100"));
        form->yearSpin()->stepUp();
        QCOMPARE(form->yearSpin()->text(), QStringLiteral("2100"));
    }

    void pressingAGreyDay() {
        m_time.setNow(QDateTime(QDate(2003, 7, 20), QTime(9, 0)));
        auto form = openOn(serial(2003, 7, 13));
        QVERIFY(form->cell(21)->hasPicture()); // today, 20 July
        QTest::mousePress(form->cell(0)->dayLabel(), Qt::LeftButton);
        for (int i = 0; i < MyForm::kCellCount; ++i) {
            QVERIFY(!form->cell(i)->hasPicture());
            QVERIFY(form->cell(i)->backColor() != kHighlight);
        }
        QCOMPARE(form->cell(0)->foreColor(), kGrey);
        QCOMPARE(form->cell(14)->foreColor(), QColor(Qt::black));

        m_context->setPickedValue(-1);
        QTest::mouseRelease(form->cell(0)->dayLabel(), Qt::LeftButton);
        QCOMPARE(m_context->pickedValue(), serial(2003, 6, 29));
    }

    void pressOnTheStripOutsideTheNumberDoesNothing() {
        auto form = openOn(serial(2003, 7, 13));
        QSignalSpy presses(form->cell(5), &datora::LbDate::MouseDown);
        QTest::mousePress(form->cell(5), Qt::LeftButton, {}, QPoint(10, 0));
        QCOMPARE(presses.count(), 0);
        QVERIFY(form->cell(14)->fontBold());
    }

    void dateKeys_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("key");
        QTest::newRow("serial") << QStringLiteral("40248") << QStringLiteral("2010/03/11");
        QTest::newRow("day 0") << QStringLiteral("0") << QStringLiteral("1899/12/30");
        QTest::newRow("date text") << QStringLiteral("7/13/2003") << QStringLiteral("2003/07/13");
        QTest::newRow("year first") << QStringLiteral("2003/7/1") << QStringLiteral("2003/07/01");
        QTest::newRow("no date") << QStringLiteral("abc") << QString();
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("impossible") << QStringLiteral("2/30/2003") << QString();
    }
    void dateKeys() {
        QFETCH(QString, text);
        QFETCH(QString, key);
        QCOMPARE(datora::dateKey(text, conv::DateTimeConventions::usEnglish()), key);
    }

    void dayCellDesign() {
        datora::LbDate cell(*m_context);
        QSignalSpy reported(&cell, &datora::LbDate::propertyChanged);
        cell.setBackColor(Qt::white);
        QCOMPARE(reported.last().at(0).toString(), QStringLiteral("BackColor"));
        cell.setValue(QStringLiteral("5"));
        cell.setFontBold(false);
        conv::AmbientProperties ambient;
        ambient.font = cell.controlFont();
        conv::PropertyBag saved;
        cell.writeProperties(saved, ambient);
        QCOMPARE(saved.entries().size(), 2);
        QCOMPARE(saved.entries().at(0).key, QStringLiteral("BackHot"));
        QCOMPARE(saved.entries().at(1).key, QStringLiteral("Value"));
        datora::LbDate loaded(*m_context);
        loaded.readProperties(saved, ambient);
        QCOMPARE(loaded.backColor(), QColor(Qt::white));
        QCOMPARE(loaded.value(), QStringLiteral("5"));
    }

    // The day cell and the month list publish no dispatch members: every identifier is refused
    // whatever is asked, the value is left alone, and the reason names the control.
    void partsWithoutDispatchMembersRefuseEveryIdentifier() {
        datora::LbDate cell(*m_context);
        datora::KiroXPComboBox months(*m_context);
        const std::pair<conv::HostedControl*, QString> parts[] = {{&cell, u"LbDate"_s},
                                                                  {&months, u"KiroXPComboBox"_s}};
        for (const auto& [part, name] : parts) {
            for (const auto kind :
                 {conv::DispatchKind::Get, conv::DispatchKind::Put, conv::DispatchKind::Call}) {
                QVariant value = 7;
                QString error;
                QVERIFY(!part->dispatch(0x68030000, kind, value, &error));
                QCOMPARE(error, name + u" has no dispatch member 0x68030000"_s);
                QCOMPARE(value, QVariant(7));
            }
        }
    }
};

QTEST_MAIN(TestCalendar)
#include "tst_calendar.moc"
