// The combo box: list, selection and text, the drop-down toggle, enabled looks, design.
#include "conventions/Twips.h"
#include "datora/DropList.h"
#include "datora/ImageBox.h"
#include "datora/KiroXPComboBox.h"
#include "datora/LibraryContext.h"
#include "support/ManualTime.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

using datora::KiroXPComboBox;

class TestKiroXPComboBox : public QObject {
    Q_OBJECT

    ManualTime m_time;
    std::unique_ptr<datora::LibraryContext> m_context;

    std::unique_ptr<KiroXPComboBox> months() {
        auto combo = std::make_unique<KiroXPComboBox>(*m_context);
        fill(*combo);
        return combo;
    }
    static void fill(KiroXPComboBox& combo) {
        for (const char* name : {"January", "February", "March", "April"})
            combo.AddItem(QLatin1String(name));
    }

    // A borderless window holding only a month list, placed `top` pixels below the screen's top
    // edge (negative: that far above its bottom edge), and presses given to it as the window
    // system gives them: to the window under the pointer, or to the open pop-up.
    struct Placed {
        QWidget window;
        KiroXPComboBox* combo = nullptr;
        QPoint button() const {
            return combo->dropButton()->mapTo(&window, combo->dropButton()->rect().center());
        }
        void click(const QPoint& at) {
            QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, at);
        }
    };
    std::unique_ptr<Placed> placed(int top) {
        auto placed = std::make_unique<Placed>();
        placed->window.setWindowFlags(Qt::FramelessWindowHint);
        placed->combo = new KiroXPComboBox(*m_context, &placed->window);
        fill(*placed->combo);
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        const QSize size = placed->combo->size();
        placed->window.setGeometry(100, top >= 0 ? top : screen.bottom() + 1 + top - size.height(),
                                   size.width(), size.height());
        placed->window.show();
        if (!QTest::qWaitForWindowExposed(&placed->window))
            return nullptr;
        return placed;
    }

private Q_SLOTS:
    void init() { m_context = std::make_unique<datora::LibraryContext>(m_time, m_time); }

    void listIndexAndText() {
        auto combo = months();
        QSignalSpy changes(combo.get(), &KiroXPComboBox::Change);
        combo->setListIndex(2);
        QCOMPARE(combo->text(), QStringLiteral("March"));
        QCOMPARE(changes.count(), 1);
        combo->setText(QStringLiteral("January"));
        QCOMPARE(combo->listIndex(), qint16(2));
        QString error;
        QVERIFY(!combo->trySetListIndex(4, &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(combo->listIndex(), qint16(2));
        combo->AddItem(QStringLiteral("Zero"), 0);
        QCOMPARE(combo->itemText(0), QStringLiteral("Zero"));
        combo->Clear();
        QCOMPARE(combo->listCount(), qint16(0));
    }

    void listOpensUnderTheFieldAndTheSecondPressClosesIt_data() {
        QTest::addColumn<int>("top");
        QTest::addColumn<bool>("below");
        QTest::newRow("at the screen's top edge") << 0 << true;
        QTest::newRow("in the middle") << 250 << true;
        QTest::newRow("at the screen's bottom edge") << -1 << false;
    }
    void listOpensUnderTheFieldAndTheSecondPressClosesIt() {
        QFETCH(int, top);
        QFETCH(bool, below);
        auto at = placed(top);
        QVERIFY(at);
        KiroXPComboBox& combo = *at->combo;
        QSignalSpy changes(&combo, &KiroXPComboBox::Change);

        at->click(at->button());
        QVERIFY(combo.isListDropped());
        QCOMPARE(combo.dropButton()->pictureIndex(), int(KiroXPComboBox::Pressed));
        const QWidget* list = QApplication::activePopupWidget();
        QVERIFY(list);
        const QRect field(combo.mapToGlobal(QPoint(0, 0)), combo.size());
        QCOMPARE(list->x(), field.x());
        QCOMPARE(list->width(), field.width());
        if (below)
            QCOMPARE(list->y(), field.bottom() + 1);
        else
            QCOMPARE(list->geometry().bottom(), field.top() - 1);
        QVERIFY(!list->geometry().intersects(field));

        at->click(at->button()); // closes, picks nothing
        QVERIFY(!combo.isListDropped());
        QCOMPARE(QApplication::activePopupWidget(), nullptr);
        QCOMPARE(combo.text(), QStringLiteral("0"));
        QCOMPARE(combo.listIndex(), qint16(-1));
        QCOMPARE(changes.count(), 0);

        at->click(at->button()); // a third press opens it again
        QVERIFY(combo.isListDropped());
    }

    void listPlacement_data() {
        QTest::addColumn<QRect>("control");
        QTest::addColumn<int>("height");
        QTest::addColumn<QRect>("expected");
        // Screen 800 x 600; the control 75 x 21.
        QTest::newRow("room below") << QRect(100, 0, 75, 21) << 150 << QRect(100, 21, 75, 150);
        QTest::newRow("just room below")
            << QRect(100, 429, 75, 21) << 150 << QRect(100, 450, 75, 150);
        QTest::newRow("no room below")
            << QRect(100, 430, 75, 21) << 150 << QRect(100, 280, 75, 150);
        QTest::newRow("room on neither side, more below")
            << QRect(100, 200, 75, 21) << 500 << QRect(100, 221, 75, 379);
        QTest::newRow("room on neither side, more above")
            << QRect(100, 400, 75, 21) << 500 << QRect(100, 0, 75, 400);
        QTest::newRow("past the right edge")
            << QRect(760, 0, 75, 21) << 150 << QRect(725, 21, 75, 150);
        QTest::newRow("past the left edge")
            << QRect(-20, 0, 75, 21) << 150 << QRect(0, 21, 75, 150);
    }
    void listPlacement() {
        QFETCH(QRect, control);
        QFETCH(int, height);
        QFETCH(QRect, expected);
        QCOMPARE(datora::dropListGeometry(control, height, QRect(0, 0, 800, 600)), expected);
    }

    void clickOnAnEntryPicksItAndClosesTheList() {
        auto at = placed(0);
        QVERIFY(at);
        KiroXPComboBox& combo = *at->combo;
        QSignalSpy changes(&combo, &KiroXPComboBox::Change);
        at->click(at->button());
        QWidget* list = QApplication::activePopupWidget();
        QVERIFY(list);
        auto* view = list->findChild<QAbstractItemView*>();
        QVERIFY(view);
        const QRect entry = view->visualRect(view->model()->index(2, 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, entry.center());
        QVERIFY(!combo.isListDropped());
        QCOMPARE(combo.text(), QStringLiteral("March"));
        QCOMPARE(combo.listIndex(), qint16(2));
        QCOMPARE(changes.count(), 1);

        // Opened again, the list marks the chosen entry.
        at->click(at->button());
        list = QApplication::activePopupWidget();
        QVERIFY(list);
        view = list->findChild<QAbstractItemView*>();
        QCOMPARE(view->currentIndex().row(), 2);
        QTest::keyClick(list->windowHandle(), Qt::Key_Escape);
        QVERIFY(!combo.isListDropped());
        QCOMPARE(combo.text(), QStringLiteral("March"));
    }

    void nothingIsChosenUntilTheUserChooses() {
        auto at = placed(100);
        QVERIFY(at);
        KiroXPComboBox& combo = *at->combo;
        QCOMPARE(combo.listIndex(), qint16(-1));
        QCOMPARE(combo.text(), QStringLiteral("0"));
        at->click(at->button());
        const QWidget* list = QApplication::activePopupWidget();
        QVERIFY(list);
        const auto* view = list->findChild<QAbstractItemView*>();
        QVERIFY(view);
        QVERIFY(!view->currentIndex().isValid());
        QVERIFY(!view->selectionModel()->hasSelection());
        at->click(at->button());

        conv::PropertyBag saved;
        combo.writeProperties(saved, conv::AmbientProperties());
        QVERIFY(!saved.contains(QStringLiteral("ListIndex")));
        combo.Clear();
        combo.AddItem(QStringLiteral("May"));
        QCOMPARE(combo.listIndex(), qint16(-1));
    }

    void disabledStillOpens() {
        auto combo = months();
        combo->show();
        QVERIFY(!combo->enabledFlag()); // a new control
        combo->setEnabledFlag(true);
        combo->setEnabledFlag(false);
        QCOMPARE(combo->outlineColour(), QColor(192, 192, 192));
        QCOMPARE(combo->dropButton()->pictureIndex(), int(KiroXPComboBox::Disabled));
        QVERIFY(!combo->textField()->isEnabled());
        QTest::mousePress(combo->dropButton(), Qt::LeftButton);
        QVERIFY(combo->isListDropped());
        combo->OpenCombo();
        QVERIFY(!combo->isListDropped());
    }

    void layout() {
        auto combo = months();
        combo->show();
        combo->resize(conv::twipsToPixels(250), 50);
        QCOMPARE(combo->size(), QSize(conv::twipsToPixels(400), conv::twipsToPixels(315)));
        combo->resize(119, 50);
        QCOMPARE(combo->size(), QSize(119, 21));
        QCOMPARE(combo->list()->width(), 119);
        QCOMPARE(combo->dropButton()->x(), conv::twipsToPixels(119 * 15 - 285));
    }

    void designStoresOnlyWhatDiffers() {
        conv::AmbientProperties ambient;
        ambient.font = QFont(QStringLiteral("MS Sans Serif"));
        conv::PropertyBag design;
        design.write(QStringLiteral("Font"), conv::FontValue{QStringLiteral("Tahoma"), 8.25});
        auto combo = months();
        combo->readProperties(design, ambient);
        conv::PropertyBag saved;
        combo->writeProperties(saved, ambient);
        QCOMPARE(saved.toText(), design.toText()); // a False enabled flag is not stored

        combo->setEnabledFlag(true);
        combo->setText(QStringLiteral("May"));
        conv::PropertyBag more;
        combo->writeProperties(more, ambient);
        QCOMPARE(more.entries().first().key, QStringLiteral("Text"));
        QCOMPARE(more.entries().last().key, QStringLiteral("Enabled"));
    }
};

QTEST_MAIN(TestKiroXPComboBox)
#include "tst_kiroxpcombobox.moc"
