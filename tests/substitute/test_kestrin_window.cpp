#include "shell/SettingsStore.h"
#include "substitute/frmKestrin.h"
#include "support/ScriptedDialogs.h"
#include "support/ScriptedRandom.h"

#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest/QtTest>

namespace {
const QString Alphabet = QStringLiteral("abcdefghijklmnopqrstuvwxyz");

// Replaces a field's text the way a user does: Ctrl+A, then typing.
void retype(QLineEdit *field, const QString &text)
{
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(field, Qt::Key_Delete);
    else
        QTest::keyClicks(field, text);
}
} // namespace

class TestKestrinWindow : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QString ini_;
    std::unique_ptr<SettingsStore> settings_;
    ScriptedDialogs dialogs_;

    // Read back from the file, as the next start would.
    QString stored(const QString &key)
    {
        return SettingsStore(u"Kestrin"_qs, ini_).get(u"Options"_qs, key, u"<none>"_qs);
    }
    std::unique_ptr<kestrin::frmMain> open(RandomSource &random)
    {
        auto window = std::make_unique<kestrin::frmMain>(*settings_, random, dialogs_);
        window->show();
        return window;
    }
    // Types the charsets and the phrase, then presses Enter in the phrase;
    // returns how many Enters the phrase field itself received.
    int rewrite(kestrin::frmMain &window, const QString &original, const QString &replacement, const QString &phrase)
    {
        retype(window.txtOriginal, original);
        retype(window.txtNew, replacement);
        QTest::keyClicks(window.txtInput, phrase);
        QSignalSpy returned(window.txtInput, &QLineEdit::returnPressed);
        QTest::keyClick(window.txtInput, Qt::Key_Return);
        return int(returned.count());
    }

private Q_SLOTS:
    void init()
    {
        static int n = 0;
        ini_ = dir_.filePath(u"kestrin%1.ini"_qs.arg(++n));
        settings_ = std::make_unique<SettingsStore>(u"Kestrin"_qs, ini_);
        dialogs_.shown.clear();
    }

    // At the written sizes each label shows its whole text in the window's
    // font, beside its field; also run at QT_SCALE_FACTOR=2.
    void labelsShowTheirWholeText()
    {
        ScriptedRandom random;
        auto w = open(random);
        QCOMPARE(w->size(), QSize(381, 146));
        for (const auto &[label, field] : {std::pair{w->lblPhrase, w->txtInput}, {w->lblTranslation, w->txtTranslation},
                                           {w->lblOriginal, w->txtOriginal}, {w->lblNew, w->txtNew}}) {
            QCOMPARE(label->font(), w->font());
            const QFontMetrics metrics(label->font());
            QVERIFY2(label->width() >= metrics.horizontalAdvance(label->text()) && label->height() >= metrics.height(),
                     qPrintable(label->text()));
            QVERIFY(label->geometry().right() < field->x());
            QCOMPARE(field->geometry().right() + 1, 365); // (60 + 1080 + 4395) twips
            QCOMPARE(label->geometry().center().y(), field->geometry().center().y());
        }
    }

    // Enter in the phrase rewrites it, keeps its capitals, and stores the charsets.
    void rewritesKeepingThePhrasesCapitals()
    {
        QString reversed = Alphabet;
        std::reverse(reversed.begin(), reversed.end());
        const std::tuple<QString, QString, QString, QString> cases[] = {
            {Alphabet, Alphabet, u"Hello World"_qs, u"Hello World"_qs},
            {Alphabet, reversed, u"Hello World"_qs, u"Svool Dliow"_qs},
            {u"abc"_qs, u"XYZ"_qs, u"abc"_qs, u"xyz"_qs}, {u"abc"_qs, u"XYZ"_qs, u"CAB"_qs, u"ZXY"_qs},
            {u"1"_qs, u"q"_qs, u"a1"_qs, u"aQ"_qs}, // a digit in the phrase counts as a capital
            {u""_qs, u""_qs, u"Same text"_qs, u"Same text"_qs}, {u"abc"_qs, u"xyz"_qs, u""_qs, u""_qs}};
        for (const auto &[original, replacement, phrase, expected] : cases) {
            init();
            ScriptedRandom random;
            auto window = open(random);
            QCOMPARE(rewrite(*window, original, replacement, phrase), 0);
            QCOMPARE(window->txtTranslation->text(), expected);
            QCOMPARE(stored(u"OriginalCharset"_qs), original);
            QCOMPARE(stored(u"NewCharset"_qs), replacement);
            QVERIFY(dialogs_.shown.isEmpty());
        }
    }

    void charsetsOfDifferentLengthAreRefused()
    {
        ScriptedRandom random;
        auto window = open(random);
        window->txtTranslation->setText(u"earlier"_qs);
        QCOMPARE(rewrite(*window, u"abc"_qs, u"xy"_qs, u"cab"_qs), 1); // the key went on to the field
        QCOMPARE(dialogs_.messages(), QStringList{u"The original and the new charset are not of the same length!"_qs});
        QCOMPARE(dialogs_.shown[0].title, u"Kestrin"_qs);
        QCOMPARE(dialogs_.shown[0].icon, Dialogs::Icon::Critical);
        QCOMPARE(window->txtTranslation->text(), u"earlier"_qs);
        QCOMPARE(stored(u"OriginalCharset"_qs), u"<none>"_qs);
        QCOMPARE(stored(u"NewCharset"_qs), u"<none>"_qs);
    }

    void startShuffleResetAndRestart()
    {
        {
            // abc with j = 3, 1, 2 (counting from 1): abc -> cba -> bca -> bac.
            const auto P = ScriptedRandom::pick;
            ScriptedRandom random{P(2, 3), P(0, 3), P(1, 3)};
            auto window = open(random);
            // A first start: the plain alphabet, the phrase focused, a seed from the clock.
            QVERIFY(QTest::qWaitForWindowActive(window.get()));
            QCOMPARE(window->txtOriginal->text(), Alphabet);
            QCOMPARE(window->txtNew->text(), Alphabet);
            QCOMPARE(QApplication::focusWidget(), window->txtInput);
            QCOMPARE(random.reseeds(), 1);
            rewrite(*window, u"xyz"_qs, u"abc"_qs, u"Zyx"_qs);
            QCOMPARE(window->txtTranslation->text(), u"Cba"_qs);

            QSignalSpy returned(window->txtNew, &QLineEdit::returnPressed);
            QTest::keyClick(window->txtNew, Qt::Key_Return);
            QCOMPARE(window->txtNew->text(), u"bac"_qs);
            QCOMPARE(returned.count(), 0);
            QCOMPARE(random.remaining(), std::size_t(0));

            QTest::keyClick(window->txtOriginal, Qt::Key_Escape);
            QCOMPARE(window->txtOriginal->text(), Alphabet);
            QVERIFY(window->isVisible()); // Esc is used up by the field
            QTest::keyClick(window->txtNew, Qt::Key_Escape);
            QCOMPARE(window->txtNew->text(), Alphabet);
            window->close();
        }
        // A restart shows what the last rewrite stored, not the later edits.
        settings_ = std::make_unique<SettingsStore>(u"Kestrin"_qs, ini_);
        ScriptedRandom random;
        auto again = open(random);
        QCOMPARE(again->txtOriginal->text(), u"xyz"_qs);
        QCOMPARE(again->txtNew->text(), u"abc"_qs);
        QVERIFY(dialogs_.shown.isEmpty());
    }

    // Enter in the new charset shuffles it; repeated characters survive too.
    void seededShuffleKeepsTheCharacters()
    {
        XoshiroRandom random(99);
        auto window = open(random);
        const QString text = u"hello, world"_qs;
        retype(window->txtNew, text);
        QSet<QString> seen;
        for (int i = 0; i < 20; ++i) {
            QTest::keyClick(window->txtNew, Qt::Key_Enter);
            QString now = window->txtNew->text();
            seen << now;
            std::sort(now.begin(), now.end());
            QCOMPARE(now, u" ,dehllloorw"_qs);
        }
        QVERIFY(seen.size() > 10);
    }
};

QTEST_MAIN(TestKestrinWindow)
#include "test_kestrin_window.moc"
