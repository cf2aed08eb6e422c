#include "shell/ProgressBox.h"
#include "support/MainWindowHarness.h"
#include "support/ScriptedRandom.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <QtTest/QtTest>

namespace {

QStringList listed(const MainWindowHarness &h)
{
    QStringList words;
    auto *list = h.child<QListView>("txtNames");
    for (int row = 0; row < list->model()->rowCount(); ++row)
        words << list->model()->index(row, 0).data().toString();
    return words;
}

void typeAndEnter(const MainWindowHarness &h, const QString &text)
{
    QLineEdit *edit = h.child<QComboBox>("txtFilter")->lineEdit();
    edit->clear();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
}

QStringList history(const MainWindowHarness &h)
{
    QStringList entries;
    auto *filter = h.child<QComboBox>("txtFilter");
    for (int i = 0; i < filter->count(); ++i)
        entries << filter->itemText(i);
    return entries;
}

// Every control that a run takes away, and whether it is usable.
QStringList disabledControls(const MainWindowHarness &h)
{
    QStringList off;
    for (const char *menu : {"mnuFile", "mnuOptions", "mnuHelp"})
        if (!h.window->findChild<QMenu *>(menu)->menuAction()->isEnabled())
            off << menu;
    for (const char *name : {"txtFilter", "cmdGo", "txtNames", "cmdSelAll", "cmdSelNone"})
        if (!h.window->findChild<QWidget *>(name)->isEnabled())
            off << name;
    for (const char *item : {"mnuGenerate", "mnuFast", "mnuNoOfWords", "mnuAbout"})
        if (!h.action(item)->isEnabled())
            off << item;
    return off;
}

// The draws of one "cvcvvc" word with plain tables: b, a, k, pair "ai", n.
ScriptedRandom bakainDraws()
{
    return ScriptedRandom{ScriptedRandom::pick(0, 21), ScriptedRandom::pick(0, 5), ScriptedRandom::pick(7, 21), 0.75f,
                          ScriptedRandom::pick(0, 21), ScriptedRandom::pick(10, 21)};
}

} // namespace

class TestGenerate : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void enterGeneratesSortedUniqueWords()
    {
        MainWindowHarness h;
        frmMain &w = h.openShown();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        h.child<QComboBox>("txtFilter")->setFocus();
        typeAndEnter(h, "Marion");

        const QStringList words = listed(h);
        QVERIFY2(words.size() > 100 && words.size() <= 500, qPrintable(QString::number(words.size())));
        static const QRegularExpression form(
            "^[BCDFGHJKLMNPQRSTVWXYZ][aeiou][bcdfghjklmnpqrstvwxyz][aeiouy]{2}[bcdfghjklmnpqrstvwxyz]$");
        for (int i = 0; i < words.size(); ++i) {
            QVERIFY2(form.match(words[i]).hasMatch(), qPrintable(words[i]));
            if (i > 0)
                QVERIFY2(words[i - 1] < words[i], qPrintable(words[i - 1] + " / " + words[i]));
        }
        QCOMPARE(h.child<QLabel>("lblStatus")->text(), QStringLiteral("Ready."));
        QCOMPARE(disabledControls(h), QStringList());
        QVERIFY(h.child<ProgressBox>("picProgBar")->isHidden());
        QVERIFY(h.child<QListView>("txtNames")->isVisible());
        QCOMPARE(h.child<QListView>("txtNames")->currentIndex().row(), 0);
        QCOMPARE(history(h), QStringList{"Marion"});
        // The sample stays selected in the focused box, ready to be typed over.
        QVERIFY(h.child<QComboBox>("txtFilter")->hasFocus());
        QCOMPARE(h.child<QComboBox>("txtFilter")->lineEdit()->selectedText(), QStringLiteral("Marion"));
        // The words were made from the box's text, not from a random sample.
        QCOMPARE(h.child<QComboBox>("txtFilter")->currentText(), QStringLiteral("Marion"));
    }

    void historyTakesEachTextOnce()
    {
        MainWindowHarness h({{"Options/HowMany", "3"}});
        frmMain &w = h.openShown();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        h.child<QComboBox>("txtFilter")->setFocus();
        typeAndEnter(h, "Marion");
        typeAndEnter(h, "Marion");
        QCOMPARE(history(h), QStringList{"Marion"});
        typeAndEnter(h, "marion");
        typeAndEnter(h, "Ida");
        typeAndEnter(h, "marion");
        QCOMPARE(history(h), (QStringList{"Marion", "marion", "Ida"}));
        // A prefix of an entry is a sample of its own, not the entry.
        typeAndEnter(h, "Ma");
        QCOMPARE(history(h), (QStringList{"Marion", "marion", "Ida", "Ma"}));
        QCOMPARE(listed(h).first().size(), 2);
        QCOMPARE(h.dialogs.shown.size(), 0);
    }

    void exactWordsFromScriptedDraws_data()
    {
        QTest::addColumn<QString>("sample");
        QTest::addColumn<bool>("matchCase");
        QTest::addColumn<QString>("expected");
        QTest::newRow("proper case") << "Marion" << false << "Bakain";
        QTest::newRow("proper case from capitals") << "MARION" << false << "Bakain";
        QTest::newRow("match case") << "MARION" << true << "BAKAIN";
        QTest::newRow("match case mixed") << "mArIoN" << true << "bAkAiN";
    }
    void exactWordsFromScriptedDraws()
    {
        QFETCH(QString, sample);
        QFETCH(bool, matchCase);
        QFETCH(QString, expected);
        MainWindowHarness h({{"Options/HowMany", "1"}, {"Options/RealityMode", "False"},
                             {"Options/Case", matchCase ? "True" : "False"}});
        ScriptedRandom random = bakainDraws();
        h.openShown(&random);
        QCOMPARE(random.reseeds(), 1); // seeded from the clock at start
        typeAndEnter(h, sample);
        QCOMPARE(listed(h), QStringList{expected});
        QCOMPARE(random.remaining(), std::size_t(0));
    }

    void emptyBoxGetsRandomSample()
    {
        MainWindowHarness h({{"Options/HowMany", "50"}});
        h.openShown();
        QTest::keyClick(h.child<QComboBox>("txtFilter")->lineEdit(), Qt::Key_Return);
        const QString sample = h.child<QComboBox>("txtFilter")->currentText();
        QVERIFY2(QRegularExpression("^[ac]{4,13}$").match(sample).hasMatch(), qPrintable(sample));
        QVERIFY(!sample.contains("aaa") && !sample.contains("ccc"));
        QCOMPARE(history(h), QStringList{QString()});
        const QStringList words = listed(h);
        QVERIFY(!words.isEmpty());
        for (const QString &word : words)
            QCOMPARE(word.size(), sample.size());

        // Enter on the sample adds it; an empty box later finds "" and adds nothing.
        QTest::keyClick(h.child<QComboBox>("txtFilter")->lineEdit(), Qt::Key_Return);
        QCOMPARE(history(h), (QStringList{QString(), sample}));
        typeAndEnter(h, QString());
        QCOMPARE(history(h).size(), 2);
    }

    void sampleWithoutLettersGivesOneLine()
    {
        MainWindowHarness h({{"Options/HowMany", "20"}});
        h.openShown();
        typeAndEnter(h, "123");
        QCOMPARE(listed(h), QStringList{"123"});
    }

    void questionMarksGiveVowelsAtEvenOdds()
    {
        // 2000 words of 5 letters, each a vowel or a consonant with p = 1/2:
        // the vowel count has sd 50, so 4800..5200 is a four-sigma band.
        MainWindowHarness h({{"Options/HowMany", "2000"}, {"Options/Sort", "False"}});
        h.openShown();
        typeAndEnter(h, "?????");
        const QStringList words = listed(h);
        QCOMPARE(words.size(), 2000);
        int vowels = 0;
        for (const QString &word : words) {
            QCOMPARE(word.size(), 5);
            QVERIFY2(word.at(0).isUpper() && word.mid(1) == word.mid(1).toLower(), qPrintable(word));
            for (QChar c : word.toLower())
                vowels += QStringLiteral("aeiou").contains(c);
        }
        QVERIFY2(vowels >= 4800 && vowels <= 5200, qPrintable(QString::number(vowels)));
    }

    void errorsReportedAndControlsBack_data()
    {
        QTest::addColumn<QString>("howMany");
        QTest::addColumn<QString>("message");
        QTest::newRow("-5") << "-5" << "Error Number: 9\r\nError Description: Subscript out of range";
        QTest::newRow("beyond 32 bits") << "99999999999" << "Error Number: 6\r\nError Description: Overflow";
        QTest::newRow("huge exponent") << "1e400" << "Error Number: 6\r\nError Description: Overflow";
    }
    void errorsReportedAndControlsBack()
    {
        QFETCH(QString, howMany);
        QFETCH(QString, message);
        MainWindowHarness h({{"Options/HowMany", howMany}});
        h.openShown();
        typeAndEnter(h, "Marion");
        QCOMPARE(h.dialogs.messages(), QStringList{message});
        QCOMPARE(h.dialogs.shown.first().title, QStringLiteral("Error Occured"));
        QCOMPARE(h.dialogs.shown.first().icon, Dialogs::Icon::Critical);
        QCOMPARE(disabledControls(h), QStringList());

        // The window is usable again: a good count now generates.
        h.settings->save("Options", "HowMany", "5");
        typeAndEnter(h, "Ida");
        QCOMPARE(h.dialogs.shown.size(), 1);
        QVERIFY(!listed(h).isEmpty());
        QCOMPARE(h.child<QLabel>("lblStatus")->text(), QStringLiteral("Ready."));
    }

    void countWithoutNumberKeepsPreviousWords()
    {
        MainWindowHarness h({{"Options/HowMany", "5"}});
        h.openShown();
        typeAndEnter(h, "Marion");
        const QStringList before = listed(h);
        QVERIFY(!before.isEmpty());
        h.settings->save("Options", "HowMany", "none");
        typeAndEnter(h, "Ida");
        QCOMPARE(h.dialogs.shown.size(), 0);
        QCOMPARE(listed(h), before);
        QCOMPARE(disabledControls(h), QStringList());
    }

    void progressDrawnOncePerPercent_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("drawings");
        QTest::newRow("1") << 1 << 1;
        QTest::newRow("50") << 50 << 50;
        QTest::newRow("200") << 200 << 100;
        QTest::newRow("1000") << 1000 << 100;
    }
    void progressDrawnOncePerPercent()
    {
        QFETCH(int, count);
        QFETCH(int, drawings);
        MainWindowHarness h({{"Options/HowMany", QString::number(count)}, {"Options/Sort", "False"}});
        h.openShown();
        auto *box = h.child<ProgressBox>("picProgBar");
        struct PaintCounter : QObject {
            int paints = 0;
            bool eventFilter(QObject *, QEvent *e) override
            {
                paints += e->type() == QEvent::Paint;
                return false;
            }
        } counter;
        box->installEventFilter(&counter);
        typeAndEnter(h, "Ida");
        QCOMPARE(counter.paints, drawings);
        QCOMPARE(listed(h).size(), count);
        // The last drawing was the full bar.
        QCOMPARE(box->image().pixel(1, 1) | 0xff000000, ProgressBox::navy);
        QVERIFY(box->isHidden());
    }

    void controlsTakenAwayDuringRun()
    {
        MainWindowHarness h({{"Options/HowMany", "20"}, {"Options/FastMode", "False"}});
        frmMain &w = h.openShown();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QStringList during;
        QString status;
        bool boxShown = false;
        QTimer::singleShot(0, &w, [&] {
            during = disabledControls(h);
            status = h.child<QLabel>("lblStatus")->text();
            // Option shortcuts must not change a flag in the middle of a run.
            QTest::keyClick(&w, Qt::Key_F, Qt::ControlModifier);
        });
        // Fast mode is off, so the run yields after every word with the box up.
        QTimer watch;
        connect(&watch, &QTimer::timeout, &w, [&] { boxShown |= !h.child<ProgressBox>("picProgBar")->isHidden(); });
        watch.start(0);
        typeAndEnter(h, "Marion");
        watch.stop();
        QCOMPARE(during, (QStringList{"mnuFile", "mnuOptions", "mnuHelp", "txtFilter", "cmdGo", "txtNames",
                                      "cmdSelAll", "cmdSelNone", "mnuGenerate", "mnuFast", "mnuNoOfWords",
                                      "mnuAbout"}));
        QCOMPARE(status, QStringLiteral("Sorting words..."));
        QVERIFY(boxShown);
        QVERIFY(h.action("mnuFast")->isEnabled());
        QVERIFY(!h.action("mnuFast")->isChecked() && h.stored("Options", "FastMode") == u"False");
        // Items keep their own enabled state through the run.
        QVERIFY(h.action("mnuKillDupes")->isEnabled());
        QCOMPARE(disabledControls(h), QStringList());
    }

    void itemDisabledBeforeRunStaysDisabled()
    {
        MainWindowHarness h({{"Options/HowMany", "3"}, {"Options/Sort", "False"}, {"Options/DirectSave", "False"}});
        h.openShown();
        QVERIFY(!h.action("mnuKillDupes")->isEnabled());
        typeAndEnter(h, "Ida");
        QVERIFY(!h.action("mnuKillDupes")->isEnabled());
        QVERIFY(h.action("mnuSort")->isEnabled());
    }

    void rndButtonPutsIndependentSamples()
    {
        MainWindowHarness h;
        ScriptedRandom random{0.35f, 0.1f, 0.1f, 0.1f, 0.1f, 0.9f, 0.9f, 0.1f, // aacca
                              0.0f, 0.9f, 0.1f, 0.9f, 0.1f};                     // caca
        h.openShown(&random);
        auto *go = h.child<QPushButton>("cmdGo");
        QTest::mouseClick(go, Qt::LeftButton);
        QCOMPARE(h.child<QComboBox>("txtFilter")->currentText(), QStringLiteral("aacca"));
        QTest::mouseClick(go, Qt::LeftButton);
        QCOMPARE(h.child<QComboBox>("txtFilter")->currentText(), QStringLiteral("caca"));
        QCOMPARE(random.reseeds(), 3);
        QCOMPARE(history(h), QStringList());
        QVERIFY(listed(h).isEmpty());
    }

    void focusHidesSelectionPanel_data()
    {
        QTest::addColumn<QString>("target");
        QTest::newRow("filter") << "txtFilter";
        QTest::newRow("rnd") << "cmdGo";
    }
    void focusHidesSelectionPanel()
    {
        QFETCH(QString, target);
        MainWindowHarness h;
        frmMain &w = h.openShown();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        auto *box = h.child<ProgressBox>("picProgBar");
        auto *names = h.child<QListView>("txtNames");
        names->setFocus();
        QTRY_VERIFY(names->hasFocus());

        // Hidden box: nothing changes. (The list taking the focus shows the
        // panel, so hide it first.)
        box->hide();
        box->setBackColor(Qt::darkGray);
        w.findChild<QWidget *>(target)->setFocus();
        QTRY_VERIFY(!names->hasFocus());
        QCOMPARE(box->backColor(), QColor(Qt::darkGray));

        names->setFocus();
        QTRY_VERIFY(names->hasFocus());
        box->show();
        h.child<QPushButton>("cmdSelAll")->show();
        h.child<QPushButton>("cmdSelNone")->show();
        w.findChild<QWidget *>(target)->setFocus();
        QTRY_VERIFY(box->isHidden());
        QCOMPARE(box->backColor(), QColor(Qt::white));
        QVERIFY(h.child<QPushButton>("cmdSelAll")->isHidden());
        QVERIFY(h.child<QPushButton>("cmdSelNone")->isHidden());
    }
};

QTEST_MAIN(TestGenerate)
#include "test_generate.moc"
