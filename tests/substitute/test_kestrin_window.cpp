#include "shell/SettingsStore.h"
#include "substitute/frmKestrin.h"
#include "support/ScriptedDialogs.h"
#include "support/ScriptedRandom.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest/QtTest>

namespace {
const QString Alphabet = QStringLiteral("abcdefghijklmnopqrstuvwxyz");
const QString Reversed = QStringLiteral("zyxwvutsrqponmlkjihgfedcba");

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

    QString stored(const QString &key)
    {
        SettingsStore settings(QStringLiteral("Kestrin"), ini_);
        return settings.get(QStringLiteral("Options"), key, QStringLiteral("<none>"));
    }

private Q_SLOTS:
    void init()
    {
        static int n = 0;
        ini_ = dir_.filePath(QStringLiteral("kestrin%1.ini").arg(++n));
    }

    void startsWithTheAlphabetAndTheLayout()
    {
        SettingsStore settings(QStringLiteral("Kestrin"), ini_);
        ScriptedRandom random;
        ScriptedDialogs dialogs;
        kestrin::frmMain window(settings, random, dialogs);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QCOMPARE(window.windowTitle(), QStringLiteral("Kestrin"));
        QCOMPARE(window.size(), QSize(381, 146));
        QCOMPARE(window.txtOriginal->text(), Alphabet);
        QCOMPARE(window.txtNew->text(), Alphabet);
        QVERIFY(window.txtTranslation->isReadOnly());
        QCOMPARE(random.reseeds(), 1);
        QVERIFY(!window.windowIcon().isNull());

        // Focus starts in the phrase and Tab walks the four fields in order.
        QCOMPARE(QApplication::focusWidget(), window.txtInput);
        for (QLineEdit *next : {window.txtTranslation, window.txtOriginal, window.txtNew}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }

        // First run: the plain alphabet rewrites a phrase into itself.
        QTest::keyClicks(window.txtInput, QStringLiteral("Hello World"));
        QTest::keyClick(window.txtInput, Qt::Key_Return);
        QCOMPARE(window.txtTranslation->text(), QStringLiteral("Hello World"));
    }

    void rewritesKeepingThePhrasesCapitals_data()
    {
        QTest::addColumn<QString>("original");
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<QString>("phrase");
        QTest::addColumn<QString>("expected");
        QTest::newRow("reversed alphabet") << Alphabet << Reversed << "Hello World" << "Svool Dliow";
        QTest::newRow("phrase case wins") << "abc" << "XYZ" << "abc" << "xyz";
        QTest::newRow("capitals") << "abc" << "XYZ" << "CAB" << "ZXY";
        QTest::newRow("caseless character") << "1" << "q" << "a1" << "aQ";
        QTest::newRow("empty charsets") << "" << "" << "Same text" << "Same text";
        QTest::newRow("empty phrase") << "abc" << "xyz" << "" << "";
    }
    void rewritesKeepingThePhrasesCapitals()
    {
        QFETCH(QString, original);
        QFETCH(QString, replacement);
        QFETCH(QString, phrase);
        QFETCH(QString, expected);
        SettingsStore settings(QStringLiteral("Kestrin"), ini_);
        ScriptedRandom random;
        ScriptedDialogs dialogs;
        kestrin::frmMain window(settings, random, dialogs);
        window.show();
        retype(window.txtOriginal, original);
        retype(window.txtNew, replacement);
        QTest::keyClicks(window.txtInput, phrase);
        QSignalSpy returned(window.txtInput, &QLineEdit::returnPressed);
        QTest::keyClick(window.txtInput, Qt::Key_Return);
        QCOMPARE(window.txtTranslation->text(), expected);
        QCOMPARE(returned.count(), 0);
        QCOMPARE(stored(QStringLiteral("OriginalCharset")), original);
        QCOMPARE(stored(QStringLiteral("NewCharset")), replacement);
        QVERIFY(dialogs.shown.isEmpty());
    }

    void charsetsOfDifferentLengthAreRefused()
    {
        SettingsStore settings(QStringLiteral("Kestrin"), ini_);
        ScriptedRandom random;
        ScriptedDialogs dialogs;
        kestrin::frmMain window(settings, random, dialogs);
        window.show();
        window.txtTranslation->setText(QStringLiteral("earlier"));
        retype(window.txtOriginal, QStringLiteral("abc"));
        retype(window.txtNew, QStringLiteral("xy"));
        QTest::keyClicks(window.txtInput, QStringLiteral("cab"));
        QSignalSpy returned(window.txtInput, &QLineEdit::returnPressed);
        QTest::keyClick(window.txtInput, Qt::Key_Return);
        QCOMPARE(dialogs.messages(),
                 QStringList{QStringLiteral("The original and the new charset are not of the same length!")});
        QCOMPARE(dialogs.shown[0].title, QStringLiteral("Kestrin"));
        QCOMPARE(dialogs.shown[0].icon, Dialogs::Icon::Critical);
        QCOMPARE(returned.count(), 1); // the key went on to the field
        QCOMPARE(window.txtTranslation->text(), QStringLiteral("earlier"));
        QCOMPARE(stored(QStringLiteral("OriginalCharset")), QStringLiteral("<none>"));
        QCOMPARE(stored(QStringLiteral("NewCharset")), QStringLiteral("<none>"));
    }

    void shuffleAndResetAreNotSaved()
    {
        SettingsStore settings(QStringLiteral("Kestrin"), ini_);
        ScriptedDialogs dialogs;
        {
            // abc with j = 3, 1, 2 (counting from 1): abc -> cba -> bca -> bac.
            ScriptedRandom random{ScriptedRandom::pick(2, 3), ScriptedRandom::pick(0, 3), ScriptedRandom::pick(1, 3)};
            kestrin::frmMain window(settings, random, dialogs);
            window.show();
            retype(window.txtOriginal, QStringLiteral("xyz"));
            retype(window.txtNew, QStringLiteral("abc"));
            QTest::keyClicks(window.txtInput, QStringLiteral("Zyx"));
            QTest::keyClick(window.txtInput, Qt::Key_Return);
            QCOMPARE(window.txtTranslation->text(), QStringLiteral("Cba"));

            QSignalSpy returned(window.txtNew, &QLineEdit::returnPressed);
            QTest::keyClick(window.txtNew, Qt::Key_Return);
            QCOMPARE(window.txtNew->text(), QStringLiteral("bac"));
            QCOMPARE(returned.count(), 0);
            QCOMPARE(random.remaining(), std::size_t(0));

            QTest::keyClick(window.txtOriginal, Qt::Key_Escape);
            QCOMPARE(window.txtOriginal->text(), Alphabet);
            QVERIFY(window.isVisible()); // Esc is used up by the field
            QTest::keyClick(window.txtNew, Qt::Key_Escape);
            QCOMPARE(window.txtNew->text(), Alphabet);
            window.close();
        }
        QCOMPARE(stored(QStringLiteral("OriginalCharset")), QStringLiteral("xyz"));
        QCOMPARE(stored(QStringLiteral("NewCharset")), QStringLiteral("abc"));

        // A restart shows what the last rewrite stored, not the later edits.
        ScriptedRandom random;
        kestrin::frmMain again(settings, random, dialogs);
        QCOMPARE(again.txtOriginal->text(), QStringLiteral("xyz"));
        QCOMPARE(again.txtNew->text(), QStringLiteral("abc"));
        QVERIFY(dialogs.shown.isEmpty());
    }

    void seededShuffleKeepsTheCharacters()
    {
        SettingsStore settings(QStringLiteral("Kestrin"), ini_);
        ScriptedDialogs dialogs;
        XoshiroRandom random(99);
        kestrin::frmMain window(settings, random, dialogs);
        window.show();
        retype(window.txtNew, QStringLiteral("hello, world"));
        QString sorted = QStringLiteral("hello, world");
        std::sort(sorted.begin(), sorted.end());
        bool changed = false;
        for (int i = 0; i < 20; ++i) {
            QTest::keyClick(window.txtNew, Qt::Key_Enter);
            QString now = window.txtNew->text();
            changed = changed || now != QStringLiteral("hello, world");
            std::sort(now.begin(), now.end());
            QCOMPARE(now, sorted);
        }
        QVERIFY(changed);
        retype(window.txtNew, QStringLiteral("q"));
        QTest::keyClick(window.txtNew, Qt::Key_Return);
        QCOMPARE(window.txtNew->text(), QStringLiteral("q"));
    }
};

QTEST_MAIN(TestKestrinWindow)
#include "test_kestrin_window.moc"
