// The combo box: list, selection and text, the drop-down toggle, enabled looks, design.
#include "conventions/Twips.h"
#include "datora/ImageBox.h"
#include "datora/KiroXPComboBox.h"
#include "datora/LibraryContext.h"
#include "support/ManualTime.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

using datora::KiroXPComboBox;

class TestKiroXPComboBox : public QObject {
    Q_OBJECT

    ManualTime m_time;
    std::unique_ptr<datora::LibraryContext> m_context;

    std::unique_ptr<KiroXPComboBox> months() {
        auto combo = std::make_unique<KiroXPComboBox>(*m_context);
        for (const char* name : {"January", "February", "March", "April"})
            combo->AddItem(QLatin1String(name));
        return combo;
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

    void pickFromTheListCopiesTheEntry() {
        auto combo = months();
        QSignalSpy changes(combo.get(), &KiroXPComboBox::Change);
        Q_EMIT combo->list()->activated(1);
        QCOMPARE(combo->text(), QStringLiteral("February"));
        QCOMPARE(changes.count(), 1);
    }

    void buttonTogglesTheList() {
        auto combo = months();
        combo->show();
        QTest::mousePress(combo->dropButton(), Qt::LeftButton);
        QCOMPARE(combo->dropButton()->pictureIndex(), int(KiroXPComboBox::Pressed));
        QVERIFY(combo->isListDropped());
        combo->OpenCombo(); // a second press
        QVERIFY(!combo->isListDropped());
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
