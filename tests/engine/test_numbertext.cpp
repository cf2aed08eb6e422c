#include "engine/NumberText.h"
#include "engine/VarnockError.h"

#include <QtTest/QtTest>
#include <clocale>
#include <cmath>
#include <functional>
#include <limits>

namespace {

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
    // The same values in the C locale and in one whose decimal point is ","
    // (when the machine has it): the reader never asks the C library.
    void leadingNumber()
    {
        const double inf = std::numeric_limits<double>::infinity();
        const std::pair<const char *, double> cases[] = {
            {"250", 250}, {"12.5", 12.5}, {"  75 abc", 75}, {"1 000", 1000}, {"\t\n4\t2", 42}, {"1e3", 1000},
            {"1.5e3", 1500}, {"25E-1", 2.5}, {"12e", 12}, {"12e+x", 12}, {"1D3", 1}, {"1.5.3", 1.5}, {".5", 0.5},
            {"5.", 5}, {"-3.5", -3.5}, {"+7x", 7}, {"3,5", 3}, {"&HFF", 255}, {"&h1f", 31}, {"&HA@", 10}, {"&O1>", 1}, {"&HFFFF", 65535},
            {"&H7FFFFFFF", 2147483647}, {"&H100000000", 4294967296.0}, {"&O17", 15}, {"&o78", 7}, {"&H", 0},
            {"&X1", 0}, {"abc", 0}, {"", 0}, {"-", 0}, {"1e999", inf}, {"-1e400", -inf}, {"1e-400", 0},
            {"1000e306", inf}, {"0.001e-322", 0}, {"-0.01e310", -1e308}};
        const std::string before = std::setlocale(LC_NUMERIC, nullptr);
        const auto restore = qScopeGuard([&] { std::setlocale(LC_NUMERIC, before.c_str()); });
        for (const char *locale : {"C", "de_DE.UTF-8"}) {
            if (!std::setlocale(LC_NUMERIC, locale))
                continue;
            for (const auto &[text, value] : cases)
                QCOMPARE(::leadingNumber(QString::fromLatin1(text)), value);
            // Leading zeros of a fraction make it small, however many there are.
            QCOMPARE(::leadingNumber(u"0."_qs + QString(400, u'0') + u"1e20"_qs), 0.0);
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
