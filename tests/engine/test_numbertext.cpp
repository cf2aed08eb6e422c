#include "engine/NumberText.h"
#include "engine/VarnockError.h"

#include <QtTest/QtTest>
#include <cmath>
#include <functional>
#include <limits>

namespace {
const double Overflow = std::numeric_limits<double>::quiet_NaN(); // stands for error 6

// The error a conversion throws as "number description", or "none".
QString errorOf(const std::function<void()> &convert)
{
    try {
        convert();
    } catch (const VarnockError &error) {
        return QString::number(error.number()) + u' ' + error.description();
    }
    return u"none"_qs;
}
} // namespace

class TestNumberText : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void leadingNumber()
    {
        const std::pair<const char *, double> cases[] = {
            {"250", 250}, {"12.5", 12.5}, {"  75 abc", 75}, {"1 000", 1000}, {"\t\n4\t2", 42}, {"1e3", 1000},
            {"25E-1", 2.5}, {"12e", 12}, {"1.5.3", 1.5}, {".5", 0.5}, {"-3.5", -3.5}, {"+7x", 7}, {"3,5", 3},
            {"&HFF", 255}, {"&h1f", 31}, {"&HFFFF", -1} /* 16-bit wraps */, {"&H10000", 65536}, {"&O17", 15},
            {"&O78", 7}, {"&H", 0}, {"abc", 0}, {"", 0}, {"-", 0}, {"1e999", Overflow}, {"&H100000000", Overflow}};
        for (const auto &[text, value] : cases) {
            if (std::isnan(value))
                QCOMPARE(errorOf([&] { ::leadingNumber(QString::fromLatin1(text)); }), u"6 Overflow"_qs);
            else
                QCOMPARE(::leadingNumber(QString::fromLatin1(text)), value);
        }
    }

    void roundsHalfToEven()
    {
        const std::pair<double, qint64> cases[] = {{12.5, 12}, {13.5, 14}, {0.5, 0}, {-2.5, -2}, {12.51, 13},
                                                   {2147483647.0, 2147483647}, {-2147483648.5, -2147483648LL}};
        for (const auto &[value, rounded] : cases) {
            QCOMPARE(qint64(roundToInt32(value)), rounded);
            QCOMPARE(roundToInt64(value), rounded);
        }
    }

    void roundingOverflowIsError6()
    {
        const double nan = std::numeric_limits<double>::quiet_NaN();
        for (double v : {2147483647.5 /* rounds to 2^31 */, 2147483648.0, -2147483649.0, nan})
            QCOMPARE(errorOf([v] { roundToInt32(v); }), u"6 Overflow"_qs);
        for (double v : {32767.5, -32769.0})
            QCOMPARE(errorOf([v] { roundToInt16(v); }), u"6 Overflow"_qs);
        for (double v : {9223372036854775808.0, nan})
            QCOMPARE(errorOf([v] { roundToInt64(v); }), u"6 Overflow"_qs);
        QCOMPARE(roundToInt16(-32768.5), std::int16_t(-32768));
        QCOMPARE(roundToInt16(32766.5), std::int16_t(32766));
    }

    void plainNumberText()
    {
        const std::pair<double, QString> shown[] = {{500, u"500"_qs}, {0, u"0"_qs}, {-3, u"-3"_qs}, {12.5, u"12.5"_qs}};
        for (const auto &[value, text] : shown)
            QCOMPARE(::plainNumberText(value), text);
        // What the count dialog shows is read back to the same number.
        for (double v : {500.0, 30000.0, 0.1, 1e20})
            QCOMPARE(::leadingNumber(::plainNumberText(v)), v);
    }
};

QTEST_GUILESS_MAIN(TestNumberText)
#include "test_numbertext.moc"
