// Kestrin: the substitution, the shuffle and the window that drives them.
#include "shell/SettingsStore.h"
#include "substitute/Substitute.h"
#include "substitute/frmKestrin.h"
#include "support/AccessibleNames.h"
#include "support/ScriptedDialogs.h"
#include "support/ScriptedRandom.h"

#include <QtTest/QtTest>
#include <QtWidgets>

namespace {
const QString Alphabet = u"abcdefghijklmnopqrstuvwxyz"_qs;
const auto P = ScriptedRandom::pick;

struct Kestrin {
    QTemporaryDir dir;
    QString ini = dir.filePath(u"Kestrin.conf"_qs);
    SettingsStore settings{u"Kestrin"_qs, ini};
    ScriptedDialogs dialogs;
    ScriptedRandom random;
    kestrin::frmMain window{settings, random, dialogs};
    explicit Kestrin(std::initializer_list<float> draws = {}) : random(draws)
    {
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            QTest::qFail("window not active", __FILE__, __LINE__);
    }
    QString stored() const { return QSettings(ini, QSettings::IniFormat).value(u"Options/OriginalCharset"_qs, u"<none>"_qs).toString() + u'|'
                                    + QSettings(ini, QSettings::IniFormat).value(u"Options/NewCharset"_qs, u"<none>"_qs).toString(); }
    // Types the charsets and the phrase and presses Enter in it; true when the field itself got the Enter.
    bool rewrite(const QString &original, const QString &replacement, const QString &phrase)
    {
        for (const auto &[field, text] : {std::pair{window.txtOriginal, original}, {window.txtNew, replacement}, {window.txtInput, phrase}}) {
            QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier); // replaced as a user does
            QTest::keyClick(field, Qt::Key_Delete);
            QTest::keyClicks(field, text);
        }
        QSignalSpy returned(window.txtInput, &QLineEdit::returnPressed);
        QTest::keyClick(window.txtInput, Qt::Key_Return);
        return returned.count() == 1;
    }
};
} // namespace

class TestSubstitute : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The written 5715 x 2190 twips, and every label whole in the window's
    // font beside its field; also run at QT_SCALE_FACTOR=2.
    void labelsAndSize()
    {
        Kestrin k;
        kestrin::frmMain &w = k.window;
        QCOMPARE((QList<QRect>{w.fmMain->geometry(), w.fmCharsets->geometry()}), (QList<QRect>{{4, 4, 373, 65}, {4, 76, 373, 65}}));
        QVERIFY(w.size() == QSize(381, 146) && w.minimumSize() == w.maximumSize());
        for (const auto &[label, field, left, top, text] : {std::tuple{w.lblPhrase, w.txtInput, 8, 15, "Phrase:"}, {w.lblTranslation, w.txtTranslation, 8, 38, "Translation:"},
                                                            {w.lblOriginal, w.txtOriginal, 12, 16, "Original:"}, {w.lblNew, w.txtNew, 12, 37, "New:"}}) {
            const QFontMetrics metrics(label->font());
            QVERIFY2(label->text() == QLatin1String(text) && label->font() == w.font() && label->width() >= metrics.horizontalAdvance(label->text()) && label->height() >= metrics.height()
                         && label->geometry().right() < field->x(), qPrintable(label->text()));
            QCOMPARE((QList<int>{field->geometry().right() + 1, field->y(), field->height(), label->geometry().center().y(), label->x()}),
                     (QList<int>{365, top, 19, field->geometry().center().y(), left})); // right edge (60 + 1080 + 4395) twips
        }
        QVERIFY(w.txtTranslation->isReadOnly() && w.windowTitle() == u"Kestrin");
        QCOMPARE(accessibleNames(w), (QStringList{"txtInput=Phrase", "txtTranslation=Translation", "txtOriginal=Original charset", "txtNew=New charset"}));
        QStringList tabbed; // Tab from the phrase walks the fields top to bottom
        for (int i = 0; i < 5; ++i, QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab))
            tabbed << QApplication::focusWidget()->objectName();
        QCOMPARE(tabbed, (QStringList{"txtInput", "txtTranslation", "txtOriginal", "txtNew", "txtInput"}));
        const QFont font = QApplication::font();
        QApplication::setFont(QFont(font.family(), 4)); // a tiny font: the labels keep their written 195 twips
        QCOMPARE((QList<int>{Kestrin().window.lblPhrase->height(), Kestrin().window.lblNew->height()}), (QList<int>{13, 13}));
        QApplication::setFont(QFont(font.family(), 24)); // a large one: they grow about their centres
        QVERIFY(std::abs(Kestrin().window.lblNew->geometry().center().y() - 37 - 9) <= 1 && Kestrin().window.lblNew->height() > 20);
        QApplication::setFont(font);
    }

    // Enter in the phrase rewrites it (the first match in the original
    // charset, case ignored), keeps its capitals, and stores the charsets.
    void rewrite()
    {
        QString reversed = Alphabet;
        std::reverse(reversed.begin(), reversed.end());
        for (const auto &[original, replacement, phrase, expected] : {std::tuple{reversed, Alphabet, u"Hello World!"_qs, u"Svool Dliow!"_qs},
                 {u"abc"_qs, u"XYZ"_qs, u"CAB"_qs, u"ZXY"_qs}, {u"abac"_qs, u"XYZW"_qs, u"abc"_qs, u"xyw"_qs},
                 {u"1"_qs, u"q"_qs, u"a1"_qs, u"aQ"_qs} /* a digit counts as a capital */, {u""_qs, u""_qs, u"Same"_qs, u"Same"_qs}}) {
            Kestrin k;
            QVERIFY(!k.rewrite(original, replacement, phrase) && k.dialogs.shown.isEmpty());
            QCOMPARE(k.window.txtTranslation->text() + u'|' + k.stored(), expected + u'|' + original + u'|' + replacement);
        }
        QCOMPARE(fnSubstitute(u"cab"_qs, u"abc"_qs, u"x"_qs), u"x"_qs); // a shorter new charset drops characters
        // Charsets of different lengths are refused; the Enter goes on to the field.
        Kestrin k;
        k.window.txtTranslation->setText(u"earlier"_qs);
        QVERIFY(k.rewrite(u"abc"_qs, u"xy"_qs, u"cab"_qs));
        QCOMPARE(k.dialogs.messages(), QStringList{u"The original and the new charset are not of the same length!"_qs});
        QVERIFY(k.dialogs.shown[0].title == u"Kestrin" && k.dialogs.shown[0].icon == Dialogs::Icon::Critical);
        QCOMPARE(k.window.txtTranslation->text() + k.stored(), u"earlier<none>|<none>"_qs);
    }

    void shuffleResetAndRestart()
    {
        // abc with j = 3, 1, 2 (counting from 1): abc -> cba -> bca -> bac.
        Kestrin k{P(2, 3), P(0, 3), P(1, 3)};
        kestrin::frmMain &w = k.window;
        QCOMPARE(w.txtOriginal->text() + w.txtNew->text(), Alphabet + Alphabet);
        QCOMPARE(QApplication::focusWidget(), w.txtInput);
        QCOMPARE(k.random.reseeds(), 1);
        k.rewrite(u"xyz"_qs, u"abc"_qs, u"Zyx"_qs);
        QSignalSpy returned(w.txtNew, &QLineEdit::returnPressed);
        QTest::keyClick(w.txtNew, Qt::Key_Return);
        QCOMPARE(w.txtNew->text() + QString::number(returned.count()), u"bac0"_qs);
        QTest::keyClick(w.txtInput, Qt::Key_Escape);
        QCOMPARE(w.txtOriginal->text(), u"xyz"_qs); // Esc resets only the charset it is pressed in
        for (QLineEdit *field : {w.txtOriginal, w.txtNew})
            QTest::keyClick(field, Qt::Key_Escape);
        QCOMPARE(w.txtOriginal->text() + w.txtNew->text() + w.txtInput->text(), Alphabet + Alphabet + u"Zyx"_qs);
        QVERIFY(w.isVisible()); // Esc is used up by the field
        // A restart shows what the last rewrite stored, not the later edits.
        SettingsStore again(u"Kestrin"_qs, k.ini);
        kestrin::frmMain restarted(again, k.random, k.dialogs);
        QCOMPARE(restarted.txtOriginal->text() + u'|' + restarted.txtNew->text(), u"xyz|abc"_qs);
        QFile edited(k.ini); // a comma typed into the file by hand
        QVERIFY(edited.open(QIODevice::WriteOnly) && edited.write("[Options]\nOriginalCharset=x,y\n") > 0 && edited.flush());
        QCOMPARE(kestrin::frmMain(again, k.random, k.dialogs).txtOriginal->text(), u"x,y"_qs);
    }
};

QTEST_MAIN(TestSubstitute)
#include "test_substitute.moc"
