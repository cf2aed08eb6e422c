#include "engine/NumberText.h"
#include "engine/VarnockError.h"

#include <QtTest/QtTest>
#include <cmath>
#include <limits>

class TestNumberText : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void leadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("whole") << "250" << 250.0;
        QTest::newRow("half") << "12.5" << 12.5;
        QTest::newRow("blanks, number, word") << "  75 abc" << 75.0;
        QTest::newRow("blank inside") << "1 000" << 1000.0;
        QTest::newRow("tab and line feed skipped") << "\t\n4\t2" << 42.0;
        QTest::newRow("exponent") << "1e3" << 1000.0;
        QTest::newRow("exponent with sign") << "25E-1" << 2.5;
        QTest::newRow("exponent without digits") << "12e" << 12.0;
        QTest::newRow("second point ends") << "1.5.3" << 1.5;
        QTest::newRow("point first") << ".5" << 0.5;
        QTest::newRow("signs") << "-3.5" << -3.5;
        QTest::newRow("plus") << "+7x" << 7.0;
        QTest::newRow("hex") << "&HFF" << 255.0;
        QTest::newRow("hex lower case") << "&h1f" << 31.0;
        QTest::newRow("hex 16-bit wraps") << "&HFFFF" << -1.0;
        QTest::newRow("hex 32-bit") << "&H10000" << 65536.0;
        QTest::newRow("octal") << "&O17" << 15.0;
        QTest::newRow("octal stops at 8") << "&O78" << 7.0;
        QTest::newRow("hex without digits") << "&H" << 0.0;
        QTest::newRow("letters") << "abc" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("sign alone") << "-" << 0.0;
        QTest::newRow("comma is no point") << "3,5" << 3.0;
    }
    void leadingNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(::leadingNumber(text), value);
    }

    void leadingNumberOverflows_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("huge exponent") << "1e999";
        QTest::newRow("hex beyond 32 bits") << "&H100000000";
    }
    void leadingNumberOverflows()
    {
        QFETCH(QString, text);
        try {
            ::leadingNumber(text);
            QFAIL("expected an overflow");
        } catch (const VarnockError &error) {
            QCOMPARE(error.number(), 6);
            QCOMPARE(error.description(), u"Overflow"_qs);
        }
    }

    void roundsHalfToEven_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<qint64>("rounded");
        QTest::newRow("12.5") << 12.5 << qint64(12);
        QTest::newRow("13.5") << 13.5 << qint64(14);
        QTest::newRow("0.5") << 0.5 << qint64(0);
        QTest::newRow("1.5") << 1.5 << qint64(2);
        QTest::newRow("-2.5") << -2.5 << qint64(-2);
        QTest::newRow("12.51") << 12.51 << qint64(13);
        QTest::newRow("top of 32 bits") << 2147483647.0 << qint64(2147483647);
        QTest::newRow("bottom of 32 bits, half") << -2147483648.5 << qint64(-2147483648LL);
    }
    void roundsHalfToEven()
    {
        QFETCH(double, value);
        QFETCH(qint64, rounded);
        QCOMPARE(qint64(roundToInt32(value)), rounded);
        QCOMPARE(roundToInt64(value), rounded);
    }

    void roundingOverflowThrows6()
    {
        const double nan = std::numeric_limits<double>::quiet_NaN();
        auto overflows = [](auto convert, double value) {
            try {
                convert(value);
            } catch (const VarnockError &error) {
                return error.number() == 6;
            }
            return false;
        };
        QVERIFY(overflows(roundToInt32, 2147483647.5)); // rounds to 2^31
        QVERIFY(overflows(roundToInt32, 2147483648.0));
        QVERIFY(overflows(roundToInt32, -2147483649.0));
        QVERIFY(overflows(roundToInt32, nan));
        QVERIFY(overflows(roundToInt16, 32767.5));
        QVERIFY(overflows(roundToInt16, -32769.0));
        QVERIFY(overflows(roundToInt64, 9223372036854775808.0));
        QVERIFY(overflows(roundToInt64, nan));
        QVERIFY(!overflows(roundToInt16, -32768.5));
        QCOMPARE(roundToInt16(-32768.5), std::int16_t(-32768));
        QCOMPARE(roundToInt16(32766.5), std::int16_t(32766));
    }

    void plainNumberText()
    {
        QCOMPARE(::plainNumberText(500), u"500"_qs);
        QCOMPARE(::plainNumberText(0), u"0"_qs);
        QCOMPARE(::plainNumberText(-3), u"-3"_qs);
        QCOMPARE(::plainNumberText(12.5), u"12.5"_qs);
        // What the count dialog shows is read back to the same number.
        for (double v : {500.0, 30000.0, 0.1, 1e20})
            QCOMPARE(::leadingNumber(::plainNumberText(v)), v);
    }
};

QTEST_GUILESS_MAIN(TestNumberText)
#include "test_numbertext.moc"
