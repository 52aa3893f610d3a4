#include "conventions/PropertyBag.h"
#include "conventions/StoredDesign.h"

#include <QTest>

using conv::ColourValue;
using conv::FontValue;
using conv::PropertyBag;
using conv::PropertyValue;

class TestPropertyBag : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void valuesEqualToTheirDefaultAreNotWritten() {
        PropertyBag bag;
        bag.write(QStringLiteral("Enabled"), true, true);
        bag.write(QStringLiteral("Value"), qint32(0), qint16(0)); // a Long 0 against an Integer 0
        bag.write(QStringLiteral("Text"), QStringLiteral("Text1"), QStringLiteral("Text1"));
        bag.write(QStringLiteral("FontBold"), false, qint16(0)); // a Boolean against an Integer 0
        QVERIFY(bag.entries().isEmpty());
        bag.write(QStringLiteral("FontBold"), true, qint16(0));
        QCOMPARE(bag.readInt16(QStringLiteral("FontBold"), 0), qint16(-1));
        bag.write(QStringLiteral("Value"), qint32(40248), qint16(0));
        QCOMPARE(bag.entries().size(), 2);
        QVERIFY(std::holds_alternative<qint32>(*bag.value(QStringLiteral("Value"))));
    }

    void keepsTheOrderOfWritingAndReplacesInPlace() {
        PropertyBag bag;
        bag.write(QStringLiteral("Text"), QStringLiteral("a"));
        bag.write(QStringLiteral("Value"), qint32(1));
        bag.write(QStringLiteral("text"), QStringLiteral("b"));
        QCOMPARE(bag.entries().size(), 2);
        QCOMPARE(bag.entries().at(0).key, QStringLiteral("Text"));
        QCOMPARE(bag.readString(QStringLiteral("TEXT"), {}), QStringLiteral("b"));
    }

    void typedReadsConvertOrFallBack() {
        PropertyBag bag;
        bag.write(QStringLiteral("Small"), qint16(5));
        bag.write(QStringLiteral("Big"), qint32(100000));
        bag.write(QStringLiteral("Name"), QStringLiteral("x"));
        QCOMPARE(bag.readInt32(QStringLiteral("Small"), -1), 5);
        QCOMPARE(bag.readInt16(QStringLiteral("Big"), -1), qint16(-1)); // out of range
        QCOMPARE(bag.readInt32(QStringLiteral("Name"), -1), -1);
        QCOMPARE(bag.readInt32(QStringLiteral("Missing"), 7), 7);
        QCOMPARE(bag.readBool(QStringLiteral("Missing"), true), true);
        QCOMPARE(bag.readColour(QStringLiteral("Missing"), 0x8000000D), quint32(0x8000000D));
    }

    void textFormRoundTrips() {
        PropertyBag bag;
        bag.write(QStringLiteral("Enabled"), false);
        bag.write(QStringLiteral("Text"), QStringLiteral("3/11/16 \"quoted\" \\ back\nline"));
        bag.write(QStringLiteral("Font"),
                  FontValue{QStringLiteral("Tahoma"), 8.25, true, false, true, false});
        bag.write(QStringLiteral("Value"), qint32(-40248));
        bag.write(QStringLiteral("MinuteInterval"), qint16(5));
        bag.write(QStringLiteral("Ratio"), 0.1 + 0.2);
        bag.write(QStringLiteral("Scale"), 1.5f);
        bag.write(QStringLiteral("ForeColor"), ColourValue{0x80000006});
        QString error;
        const auto parsed = PropertyBag::fromText(bag.toText(), &error);
        QVERIFY2(parsed, qPrintable(error));
        QVERIFY(*parsed == bag);
        QCOMPARE(parsed->toText(), bag.toText());
    }

    void textFormIsReadable() {
        PropertyBag bag;
        bag.write(QStringLiteral("Text"), QStringLiteral("3/11/16"));
        bag.write(QStringLiteral("Font"), FontValue{QStringLiteral("Tahoma"), 8.25});
        bag.write(QStringLiteral("Value"), qint32(40248));
        bag.write(QStringLiteral("ForeColor"), ColourValue{0xFF00});
        QCOMPARE(bag.toText(), QStringLiteral("Text As String = \"3/11/16\"\n"
                                              "Font As Font = \"Tahoma\", 8.25, Regular\n"
                                              "Value As Long = 40248\n"
                                              "ForeColor As Colour = &H0000FF00&\n"));
    }

    void malformedText_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("no type") << "Value = 1";
        QTest::newRow("unknown type") << "Value As Decimal = 1";
        QTest::newRow("Integer out of range") << "Value As Integer = 40000";
        QTest::newRow("unterminated string") << "Text As String = \"abc";
        QTest::newRow("text after string") << "Text As String = \"a\" b";
        QTest::newRow("bad boolean") << "Enabled As Boolean = yes";
        QTest::newRow("bad font style") << "Font As Font = \"Tahoma\", 8, Wide";
        QTest::newRow("bad colour") << "C As Colour = 0xFF";
    }
    void malformedText() {
        QFETCH(QString, text);
        QString error;
        QVERIFY(!PropertyBag::fromText(QStringLiteral("Ok As Long = 1\n") + text, &error));
        QVERIFY(error.startsWith(QStringLiteral("line 2")));
    }

    void storedDesignHoldsOneBagPerControl() {
        const QString text = QStringLiteral("[KiroXPDTPicker1]\n"
                                            "Value As Long = 40248\n"
                                            "FormatDate As String = \"m/dd/yy\"\n"
                                            "\n"
                                            "[Timer4]\n"
                                            "MinuteInterval As Integer = 5\n");
        const auto design = conv::parseStoredDesign(text);
        QVERIFY(design);
        QCOMPARE(design->keys(), (QStringList{"KiroXPDTPicker1", "Timer4"}));
        QCOMPARE(design->value("KiroXPDTPicker1").readInt32(QStringLiteral("Value"), 0), 40248);
        QCOMPARE(design->value("Timer4").readInt16(QStringLiteral("MinuteInterval"), 0), qint16(5));
        QCOMPARE(conv::parseStoredDesign(conv::storedDesignText(*design)), design);

        QString error;
        QVERIFY(!conv::parseStoredDesign(QStringLiteral("Value As Long = 1"), &error));
        QVERIFY(!conv::parseStoredDesign(QStringLiteral("[A]\nValue As Long = x"), &error));
        QVERIFY(error.contains(QStringLiteral("[A]")));
    }
};

QTEST_APPLESS_MAIN(TestPropertyBag)
#include "tst_propertybag.moc"
