#include "conventions/PropertyBag.h"
#include "conventions/StoredDesign.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

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
        QTest::newRow("no type") << u"Value = 1"_s;
        QTest::newRow("unknown type") << u"Value As Decimal = 1"_s;
        QTest::newRow("Integer out of range") << u"Value As Integer = 40000"_s;
        QTest::newRow("unterminated string") << u"Text As String = \"abc"_s;
        QTest::newRow("text after string") << u"Text As String = \"a\" b"_s;
        QTest::newRow("bad boolean") << u"Enabled As Boolean = yes"_s;
        QTest::newRow("bad font style") << u"Font As Font = \"Tahoma\", 8, Wide"_s;
        QTest::newRow("bad colour") << u"C As Colour = 0xFF"_s;
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
        QCOMPARE(design->keys(), (QStringList{u"KiroXPDTPicker1"_s, u"Timer4"_s}));
        QCOMPARE(design->value(u"KiroXPDTPicker1"_s).readInt32(QStringLiteral("Value"), 0), 40248);
        QCOMPARE(design->value(u"Timer4"_s).readInt16(QStringLiteral("MinuteInterval"), 0),
                 qint16(5));
        QCOMPARE(conv::parseStoredDesign(conv::storedDesignText(*design)), design);

        QString error;
        QVERIFY(!conv::parseStoredDesign(QStringLiteral("Value As Long = 1"), &error));
        QVERIFY(!conv::parseStoredDesign(QStringLiteral("[A]\nValue As Long = x"), &error));
        QVERIFY(error.contains(QStringLiteral("[A]")));
    }
};

QTEST_APPLESS_MAIN(TestPropertyBag)
#include "tst_propertybag.moc"
