// The genetic creator: mutation, the breeding loop, its two count boxes and
// its window, opened from the main window as a user does.
#include "engine/LetterTables.h"
#include "genetic/GeneticCountDialogs.h"
#include "genetic/Mutate.h"
#include "genetic/SiblingLoop.h"
#include "genetic/frmGenetic.h"
#include "shell/frmAbout.h"
#include "support/MainWindowHarness.h"
#include "support/ScriptedRandom.h"
#include "support/WordDifferences.h"

#include <QtTest/QtTest>
#include <QtWidgets>

namespace {
const auto P = ScriptedRandom::pick;
using Draws = std::vector<float>;
using Outcome = SiblingRunResult::Outcome;

SiblingRunResult breed(const QString &parent, double wanted, int mutations, RandomSource &random, QStringList &out)
{
    return breedSiblings(parent, [=] { return wanted; }, [=] { return mutations; }, random, [&](const QString &s) { out << s; });
}

QStringList items(const QListWidget *list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

// Runs check on the modal window the command opens, then closes it.
void withModal(QAction *command, const std::function<void(QWidget *)> &check)
{
    bool seen = false;
    QTimer::singleShot(0, [&] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            seen = true;
            check(modal);
            modal->close();
        }
    });
    command->trigger();
    QVERIFY(seen);
}
} // namespace

class TestGenetic : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void mutate()
    {
        const float top = 0.99999994f;
        const std::tuple<QString, int, Draws, QString> cases[] = {
            {u"Bob"_qs, 1, {P(2, 3), P(20, 21)}, u"Boz"_qs},                   // consonant for consonant
            {u"Yo"_qs, 1, {P(0, 2), P(0, 21)}, u"bo"_qs},                      // y is a consonant
            {u"Anna"_qs, 1, {P(0, 4), P(4, 5)}, u"unna"_qs},                   // the capital vowel becomes a small one
            {u"abc"_qs, 2, {P(1, 3), P(2, 21), P(1, 3), P(3, 21)}, u"afc"_qs}, // same position twice
            {u"12-!"_qs, 3, {0.1f, 0.5f, top}, u"12-!"_qs},                     // other characters: one draw each, no change
            {u"\u00e9"_qs, 1, {0.3f}, u"\u00e9"_qs}, {u"ou"_qs, 1, {top, top}, u"ou"_qs},
            {u"Anna"_qs, 0, {}, u"Anna"_qs}, {u"Anna"_qs, -2, {}, u"Anna"_qs}, {QString(), 5, {}, QString()}};
        for (const auto &[word, mutations, draws, result] : cases) {
            ScriptedRandom random(draws);
            QCOMPARE(Mutate(word, mutations, random), result);
            QCOMPARE(random.remaining(), std::size_t(0));
        }
        for (const auto &[word, mutations, can] : {std::tuple{u"Anna"_qs, 1, true}, {u"Anna"_qs, 0, false}, {u"123"_qs, 3, false},
                                                   {u"1-x"_qs, 1, true}, {QString(), 1, false}})
            QCOMPARE(canMutate(word, mutations), can);
    }

    void breedingLoop()
    {
        // The 'a' of Marion drawn as 'a' again is discarded; then m -> g, n -> z.
        ScriptedRandom scripted{P(1, 6), P(0, 5), P(0, 6), P(4, 21), P(5, 6), P(20, 21)};
        QStringList siblings;
        SiblingRunResult result = breed(u"Marion"_qs, 2, 1, scripted, siblings);
        QCOMPARE(siblings, (QStringList{u"Garion"_qs, u"Marioz"_qs}));
        QVERIFY(result.outcome == Outcome::Complete && result.bred == 2 && scripted.remaining() == 0);
        // MARION mutated to itself comes back as Marion: never kept.
        XoshiroRandom random(7);
        siblings.clear();
        QCOMPARE(breed(u"MARION"_qs, 200, 1, random, siblings).outcome, Outcome::Complete);
        QCOMPARE(siblings.size(), 200);
        for (const QString &s : siblings)
            QVERIFY2(differences(s, u"marion"_qs) == 1 && s == s.left(1).toUpper() + s.mid(1).toLower(), qPrintable(s));
        // Refused without a draw.
        for (const auto &[parent, mutations, part] : {std::tuple{u"1234"_qs, 1, u"no vowel or consonant"_qs}, {u""_qs, 1, u"no vowel or consonant"_qs},
                                                      {u"Marion"_qs, 0, u"0 or less"_qs}, {u"Marion"_qs, -4, u"0 or less"_qs}}) {
            ScriptedRandom none;
            siblings.clear();
            result = breed(parent, 10, mutations, none, siblings);
            QVERIFY2(result.outcome == Outcome::Refused && result.message.contains(part) && siblings.isEmpty(), qPrintable(result.message));
        }
        // 5000 digits and one letter: after 10000 attempts in vain the run gives up.
        ScriptedRandom digits(Draws(10000, 0.0f));
        result = breed(QString(5000, u'7') + u'a', 3, 1, digits, siblings);
        QVERIFY(result.outcome == Outcome::GaveUp && result.message.contains(u"10000 attempts"_qs) && digits.remaining() == 0);
        // The wanted count is asked before every attempt.
        siblings.clear();
        breedSiblings(u"Marion"_qs, [&] { return siblings.size() >= 2 ? 2.0 : 5.0; }, [] { return 1; }, random, [&](const QString &s) { siblings << s; });
        QCOMPARE(siblings.size(), 2);
    }

    // Each box offers the stored value, caps an answer above its bound after
    // a message, refuses a negative one, and stores any other non-zero.
    void countDialogs()
    {
        const QString many = u"Why that many? Words set to 500"_qs, negativeWords = u"The number of words cannot be negative. Nothing was changed."_qs;
        const QString chernobyl = u"You cannot specify more than 50 mutations (well, you can, but what's the use? That would be worse than Chernobyl)."_qs;
        const QString negativeMutations = u"The number of mutations cannot be negative. Nothing was changed."_qs;
        struct Case { bool mutations; QString before, answer, message, stored; };
        const Case cases[] = {
            {false, {}, u"600"_qs, many, u"500"_qs}, {false, {}, u"1e400"_qs, many, u"500"_qs}, {false, {}, u"500.5"_qs, {}, u"500"_qs},
            {false, {}, u"&HFFFF"_qs, many, u"500"_qs}, {false, {}, u"13,5"_qs, {}, u"13"_qs}, {false, {}, u"12.5"_qs, {}, u"12"_qs},
            {false, {}, u"0"_qs, {}, {}}, {false, {}, QString(), {}, {}}, {false, u"25"_qs, u"-3"_qs, negativeWords, u"25"_qs},
            {true, {}, u"50.5"_qs, {}, u"50"_qs}, {true, {}, u"51"_qs, chernobyl, u"50"_qs}, {true, {}, u"99999999999"_qs, chernobyl, u"50"_qs},
            {true, {}, u" 3 times"_qs, {}, u"3"_qs}, {true, {}, u"-1e400"_qs, negativeMutations, {}}, {true, u"7"_qs, QString(), {}, u"7"_qs}};
        for (const Case &c : cases) {
            const QString key = c.mutations ? u"Options/Mutations"_qs : u"Options/HowManyGenetic"_qs;
            MainWindowHarness h(c.before.isNull() ? QMap<QString, QString>() : QMap<QString, QString>{{key, c.before}});
            h.dialogs.inputAnswers.push_back(c.answer);
            const int result = c.mutations ? askMutationCount(h.settings, h.dialogs, nullptr) : askGeneticWordCount(h.settings, h.dialogs, nullptr);
            QCOMPARE(h.stored(key), c.stored.isNull() ? u"<absent>"_qs : c.stored);
            QCOMPARE(result, c.stored == c.before ? 0 : c.stored.toInt());
            QCOMPARE(h.dialogs.shown[0].title, c.mutations ? u"Enter number of mutations"_qs : u"Enter number of words"_qs);
            QCOMPARE(h.dialogs.shown[0].text, c.mutations ? u"How many mutations do you want per generation?"_qs
                                                          : u"How many words do you want genetic creator to generate?"_qs);
            QCOMPARE(h.dialogs.shown[0].defaultText, !c.before.isNull() ? c.before : c.mutations ? u"1"_qs : u"10"_qs);
            QCOMPARE(h.dialogs.messages(), c.message.isNull() ? QStringList() : QStringList{c.message});
            if (!c.message.isNull())
                QVERIFY(h.dialogs.shown[1].title == u"Varnock"
                        && h.dialogs.shown[1].icon == (c.message.contains(u"negative") ? Dialogs::Icon::Exclamation : Dialogs::Icon::Critical));
        }
    }

    void creatorWindow()
    {
        MainWindowHarness h({{"Genetic/WindowState", "0"}, {"Genetic/Height", "3000"}, {"Genetic/Width", "4500"},
                             {"Genetic/Top", "600"}, {"Genetic/Left", "900"}, {"Options/HowManyGenetic", "4"}});
        XoshiroRandom random(42);
        {
            frmGenetic form(h.settings, random, h.dialogs);
            form.show();
            QVERIFY(QTest::qWaitForWindowActive(&form));
            QCOMPARE(form.windowTitle(), u"Genetic creator"_qs);
            QTRY_COMPARE(form.frameGeometry(), QRect(60, 40, 300, 200));
            QCOMPARE(form.txtParent->geometry(), QRect(0, 0, form.width(), 19)); // inside the frame
            QCOMPARE(form.lstSiblings->geometry(), QRect(0, 20, form.width(), form.height() - 20));
            // Empty: Enter does nothing. Then Enter breeds, a second Enter replaces the list.
            QTest::keyClick(form.txtParent, Qt::Key_Return);
            QCOMPARE(form.lstSiblings->count(), 0);
            QTest::keyClicks(form.txtParent, u"Marion"_qs);
            for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
                QTest::keyClick(form.txtParent, key);
                QCOMPARE(form.lstSiblings->count(), 4);
            }
            for (const QString &s : items(form.lstSiblings))
                QCOMPARE(differences(s, u"Marion"_qs), 1);
            form.lstSiblings_DblClick(); // nothing selected: nothing happens
            QCOMPARE(form.txtParent->text(), u"Marion"_qs);
            // A real double-click chooses a sibling as the next parent; so does Enter on the list.
            for (int row : {3, 1}) {
                const QString chosen = form.lstSiblings->item(row)->text();
                const QPoint at = form.lstSiblings->visualItemRect(form.lstSiblings->item(row)).center();
                QTest::mouseClick(form.lstSiblings->viewport(), Qt::LeftButton, {}, at);
                if (row == 3)
                    QTest::mouseDClick(form.lstSiblings->viewport(), Qt::LeftButton, {}, at);
                else
                    QTest::keyClick(form.lstSiblings, Qt::Key_Return);
                QCOMPARE(form.txtParent->text(), chosen);
                QCOMPARE(form.lstSiblings->count(), 4);
                QCOMPARE(differences(form.lstSiblings->item(0)->text(), chosen), 1);
            }
            QTest::keyClick(form.lstSiblings, Qt::Key_Escape); // no way to close it: the list would be lost
            QVERIFY(form.isVisible() && form.lstSiblings->count() == 4);
            form.resize(250, 12); // under 300 twips inside, the list vanishes
            QCOMPARE(form.lstSiblings->height(), 0);
            form.move(75, 30); // the frame's corner
            form.resize(form.size() - form.frameGeometry().size() + QSize(240, 180));
            // A parent without letters is refused with a message.
            form.txtParent->setFocus();
            form.txtParent->setText(u"2026"_qs);
            QTest::keyClick(form.txtParent, Qt::Key_Return);
            QCOMPARE(h.dialogs.messages().size(), 1);
            QVERIFY(h.dialogs.shown[0].title == u"Varnock" && h.dialogs.shown[0].icon == Dialogs::Icon::Exclamation);
            QCOMPARE(form.lstSiblings->count(), 0);
            form.close();
        }
        QStringList values;
        for (const char *key : {"WindowState", "Height", "Width", "Top", "Left"})
            values << h.stored(u"Genetic/"_qs + QLatin1String(key));
        QCOMPARE(values, (QStringList{"0", "2700", "3600", "450", "1125"}));
        // Not numbers: the first opening is maximised; un-maximised it is 3015 x 4320 twips, centred.
        for (const char *key : {"WindowState", "Height", "Width", "Top", "Left"})
            h.store(u"Genetic/"_qs + QLatin1String(key), u"x"_qs);
        frmGenetic form(h.settings, random, h.dialogs);
        form.show();
        QVERIFY(form.isMaximized());
        form.showNormal();
        QTRY_COMPARE(form.frameGeometry(), QRect(300, 256, 201, 288));
        form.showMaximized();
        form.close();
        QCOMPARE(h.stored(u"Genetic/WindowState"_qs), u"2"_qs);
    }

    // The main window opens a fresh creator over itself, and the counts set
    // from its Options menu reach the next run.
    void fromTheMainWindow()
    {
        MainWindowHarness h({{"Options/HowMany", "77"}});
        frmMain &window = h.open();
        const auto breedInCreator = [&](int expected) {
            withModal(window.mnuGenetic, [&](QWidget *modal) {
                auto *form = qobject_cast<frmGenetic *>(modal);
                QVERIFY(form && form->parentWidget() == &window && form->txtParent->text().isEmpty());
                QTest::keyClicks(form->txtParent, u"Christopher"_qs);
                QTest::keyClick(form->txtParent, Qt::Key_Return);
                QCOMPARE(form->lstSiblings->count(), expected);
                for (const QString &s : items(form->lstSiblings))
                    QVERIFY(differences(s, u"christopher"_qs) <= 3);
            });
        };
        breedInCreator(10);
        h.dialogs.inputAnswers = {u"3"_qs, u"3"_qs};
        window.mnuGeneticWords->trigger();
        window.mnuMutations->trigger();
        QCOMPARE(h.stored(u"Options/Mutations"_qs), u"3"_qs);
        breedInCreator(3);
        withModal(window.mnuAbout, [&](QWidget *modal) {
            auto *about = qobject_cast<frmAbout *>(modal);
            QVERIFY(about && about->lblDescription->text().contains(u" 77 new words"_qs) && about->parentWidget() == &window);
        });
    }
};

QTEST_MAIN(TestGenetic)
#include "test_genetic.moc"
