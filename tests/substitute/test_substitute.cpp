// Kestrin: the substitution, the shuffle and the window that drives them.
#include "shell/SettingsStore.h"
#include "substitute/Substitute.h"
#include "substitute/frmKestrin.h"
#include "support/ScriptedDialogs.h"
#include "support/ScriptedRandom.h"

#include <QtTest/QtTest>
#include <QtWidgets>

namespace {
const QString Alphabet = u"abcdefghijklmnopqrstuvwxyz"_qs;
const auto P = ScriptedRandom::pick;

// Replaces a field's text the way a user does: Ctrl+A, then typing.
void retype(QLineEdit *field, const QString &text)
{
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
}

struct Kestrin {
    QTemporaryDir dir;
    QString ini = dir.filePath(u"Kestrin.conf"_qs);
    SettingsStore settings{u"Kestrin"_qs, ini};
    ScriptedDialogs dialogs;
    std::unique_ptr<kestrin::frmMain> window;
    kestrin::frmMain &open(RandomSource &random)
    {
        window = std::make_unique<kestrin::frmMain>(settings, random, dialogs);
        window->show();
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window.get()))
            QTest::qFail("window not active", __FILE__, __LINE__);
        return *window;
    }
    QString stored(const char *key) const { return QSettings(ini, QSettings::IniFormat).value(u"Options/"_qs + QLatin1String(key), u"<none>"_qs).toString(); }
    // Types the charsets and the phrase and presses Enter in it; true when the field itself got the Enter.
    bool rewrite(const QString &original, const QString &replacement, const QString &phrase)
    {
        retype(window->txtOriginal, original);
        retype(window->txtNew, replacement);
        retype(window->txtInput, phrase);
        QSignalSpy returned(window->txtInput, &QLineEdit::returnPressed);
        QTest::keyClick(window->txtInput, Qt::Key_Return);
        return returned.count() == 1;
    }
};
} // namespace

class TestSubstitute : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Each character found in the original charset (first occurrence, case
    // ignored) becomes the one at the same place in the new charset.
    void substitute()
    {
        QString reversed = Alphabet;
        std::reverse(reversed.begin(), reversed.end());
        const std::tuple<QString, QString, QString, QString> cases[] = {
            {u"Hello"_qs, Alphabet, reversed, u"svool"_qs}, {u"a-b c!"_qs, u"abc"_qs, u"xyz"_qs, u"x-y z!"_qs},
            {u"ab"_qs, u"aba"_qs, u"xyz"_qs, u"xy"_qs}, {u"ba"_qs, u"ab"_qs, u"ABCD"_qs, u"BA"_qs}, {u"cab"_qs, u"abc"_qs, u"x"_qs, u"x"_qs},
            {u"Text 1"_qs, u""_qs, u""_qs, u"Text 1"_qs}, {u"abc"_qs, u"ABC"_qs, u"123"_qs, u"123"_qs}};
        for (const auto &[word, original, replacement, result] : cases)
            QCOMPARE(fnSubstitute(word, original, replacement), result);
    }

    void randomize()
    {
        // abc: i=1 swaps with 3 (cba), i=2 with 1 (bca), i=3 with itself.
        const std::tuple<QString, std::vector<float>, QString> cases[] = {
            {u"abc"_qs, {P(2, 3), P(0, 3), P(2, 3)}, u"bca"_qs}, {u"abc"_qs, {0.0f, P(1, 3), P(2, 3)}, u"abc"_qs},
            {u"x"_qs, {0.99999994f}, u"x"_qs}, {QString(), {}, QString()}};
        for (const auto &[text, draws, result] : cases) {
            ScriptedRandom random(draws);
            QCOMPARE(fnRandomize(text, random), result);
            QCOMPARE(random.remaining(), std::size_t(0));
        }
        // Each draw picks from the whole text, so the 27 paths fall 4, 5, 5, 5, 4, 4 on the six orders.
        XoshiroRandom random(5);
        QHash<QString, int> seen;
        const int runs = 270000;
        for (int k = 0; k < runs; ++k)
            ++seen[fnRandomize(u"abc"_qs, random)];
        const QHash<QString, int> paths{{u"abc"_qs, 4}, {u"acb"_qs, 5}, {u"bac"_qs, 5}, {u"bca"_qs, 5}, {u"cab"_qs, 4}, {u"cba"_qs, 4}};
        double chi = 0;
        for (auto it = paths.cbegin(); it != paths.cend(); ++it) {
            const double expected = runs * it.value() / 27.0;
            chi += (seen.value(it.key()) - expected) * (seen.value(it.key()) - expected) / expected;
        }
        QCOMPARE(seen.size(), 6);
        QVERIFY2(chi < 20.52, qPrintable(QString::number(chi))); // df 5, p = 0.001
    }

    // The written 5715 x 2190 twips, and every label whole in the window's
    // font beside its field; also run at QT_SCALE_FACTOR=2.
    void labelsAndSize()
    {
        Kestrin k;
        ScriptedRandom random;
        kestrin::frmMain &w = k.open(random);
        QCOMPARE(w.size(), QSize(381, 146));
        QCOMPARE(w.minimumSize(), w.maximumSize());
        QCOMPARE(w.fmMain->geometry(), QRect(4, 4, 373, 65));
        QCOMPARE(w.fmCharsets->geometry(), QRect(4, 76, 373, 65));
        QCOMPARE(w.fmMain->title() + u'|' + w.fmCharsets->title(), u"Main|Charsets"_qs);
        for (const auto &[label, field, top] : {std::tuple{w.lblPhrase, w.txtInput, 15}, {w.lblTranslation, w.txtTranslation, 38},
                                                {w.lblOriginal, w.txtOriginal, 16}, {w.lblNew, w.txtNew, 37}}) {
            QCOMPARE(label->font(), w.font());
            const QFontMetrics metrics(label->font());
            QVERIFY2(label->width() >= metrics.horizontalAdvance(label->text()) && label->height() >= metrics.height(), qPrintable(label->text()));
            QVERIFY(label->geometry().right() < field->x());
            QCOMPARE(field->geometry().right() + 1, 365); // (60 + 1080 + 4395) twips
            QCOMPARE(field->y(), top);
            QCOMPARE(field->height(), 19);
            QCOMPARE(label->geometry().center().y(), field->geometry().center().y());
        }
        QVERIFY(w.txtTranslation->isReadOnly());
        QCOMPARE(w.windowTitle(), u"Kestrin"_qs);
    }

    // Enter in the phrase rewrites it, keeps its capitals, and stores the charsets.
    void rewrite()
    {
        QString reversed = Alphabet;
        std::reverse(reversed.begin(), reversed.end());
        const std::tuple<QString, QString, QString, QString> cases[] = {
            {reversed, Alphabet, u"Hello World"_qs, u"Svool Dliow"_qs}, {u"abc"_qs, u"XYZ"_qs, u"CAB"_qs, u"ZXY"_qs},
            {u"abc"_qs, u"XYZ"_qs, u"abc"_qs, u"xyz"_qs}, {u"1"_qs, u"q"_qs, u"a1"_qs, u"aQ"_qs} /* a digit counts as a capital */,
            {u""_qs, u""_qs, u"Same text"_qs, u"Same text"_qs}};
        for (const auto &[original, replacement, phrase, expected] : cases) {
            Kestrin k;
            ScriptedRandom random;
            k.open(random);
            QVERIFY(!k.rewrite(original, replacement, phrase));
            QCOMPARE(k.window->txtTranslation->text(), expected);
            QCOMPARE(k.stored("OriginalCharset") + u'|' + k.stored("NewCharset"), original + u'|' + replacement);
            QVERIFY(k.dialogs.shown.isEmpty());
        }
        // Charsets of different lengths are refused; the Enter goes on to the field.
        Kestrin k;
        ScriptedRandom random;
        k.open(random).txtTranslation->setText(u"earlier"_qs);
        QVERIFY(k.rewrite(u"abc"_qs, u"xy"_qs, u"cab"_qs));
        QCOMPARE(k.dialogs.messages(), QStringList{u"The original and the new charset are not of the same length!"_qs});
        QVERIFY(k.dialogs.shown[0].title == u"Kestrin" && k.dialogs.shown[0].icon == Dialogs::Icon::Critical);
        QCOMPARE(k.window->txtTranslation->text(), u"earlier"_qs);
        QCOMPARE(k.stored("OriginalCharset") + k.stored("NewCharset"), u"<none><none>"_qs);
    }

    void shuffleResetAndRestart()
    {
        Kestrin k;
        {
            // abc with j = 3, 1, 2 (counting from 1): abc -> cba -> bca -> bac.
            ScriptedRandom random{P(2, 3), P(0, 3), P(1, 3)};
            kestrin::frmMain &w = k.open(random);
            QCOMPARE(w.txtOriginal->text() + w.txtNew->text(), Alphabet + Alphabet);
            QCOMPARE(QApplication::focusWidget(), w.txtInput);
            QCOMPARE(random.reseeds(), 1);
            k.rewrite(u"xyz"_qs, u"abc"_qs, u"Zyx"_qs);
            QCOMPARE(w.txtTranslation->text(), u"Cba"_qs);
            QSignalSpy returned(w.txtNew, &QLineEdit::returnPressed);
            QTest::keyClick(w.txtNew, Qt::Key_Return);
            QCOMPARE(w.txtNew->text(), u"bac"_qs);
            QCOMPARE(returned.count(), 0);
            QTest::keyClick(w.txtOriginal, Qt::Key_Escape);
            QTest::keyClick(w.txtNew, Qt::Key_Escape);
            QCOMPARE(w.txtOriginal->text() + w.txtNew->text(), Alphabet + Alphabet);
            QVERIFY(w.isVisible()); // Esc is used up by the field
            QTest::keyClick(w.txtInput, Qt::Key_Escape);
            QCOMPARE(w.txtInput->text(), u"Zyx"_qs);
        }
        // A restart shows what the last rewrite stored, not the later edits.
        SettingsStore again(u"Kestrin"_qs, k.ini);
        ScriptedRandom random;
        kestrin::frmMain w(again, random, k.dialogs);
        QCOMPARE(w.txtOriginal->text() + u'|' + w.txtNew->text(), u"xyz|abc"_qs);
        // Repeated characters survive a seeded shuffle.
        XoshiroRandom seeded(99);
        Kestrin s;
        retype(s.open(seeded).txtNew, u"hello, world"_qs);
        QSet<QString> seen;
        for (int i = 0; i < 20; ++i) {
            QTest::keyClick(s.window->txtNew, Qt::Key_Enter);
            QString now = s.window->txtNew->text();
            seen << now;
            std::sort(now.begin(), now.end());
            QCOMPARE(now, u" ,dehllloorw"_qs);
        }
        QVERIFY(seen.size() > 10);
    }
};

QTEST_MAIN(TestSubstitute)
#include "test_substitute.moc"
