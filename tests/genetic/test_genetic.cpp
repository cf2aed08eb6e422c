// The genetic creator: mutation, the breeding loop, its two count boxes and
// its window, opened from the main window as a user does.
#include "genetic/GeneticCountDialogs.h"
#include "genetic/Mutate.h"
#include "genetic/SiblingLoop.h"
#include "genetic/frmGenetic.h"
#include "support/AccessibleNames.h"
#include "support/MainWindowHarness.h"
#include "support/ScriptedRandom.h"

#include <numeric>

namespace {
const auto P = ScriptedRandom::pick;
using Draws = std::vector<float>;
using Outcome = SiblingRunResult::Outcome;
// How many positions of two equally long words differ, case ignored.
int differences(const QString &a, const QString &b)
{ return std::inner_product(a.begin(), a.end(), b.begin(), 0, std::plus<>(), [](QChar x, QChar y) { return x.toLower() != y.toLower(); }); }
SiblingRunResult breed(const QString &parent, double wanted, int mutations, RandomSource &random, QStringList &out)
{
    out.clear();
    return breedSiblings(parent, [=] { return wanted; }, [=] { return mutations; }, random, [&](const QString &s) { out << s; });
}
} // namespace

class TestGenetic : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void mutateAndBreed()
    {
        for (const auto &[word, mutations, draws, result] : std::initializer_list<std::tuple<QString, int, Draws, QString>>{
                 {u"Bob"_qs, 1, {P(2, 3), P(20, 21)}, u"Boz"_qs}, {u"Yo"_qs, 1, {P(0, 2), P(0, 21)}, u"bo"_qs}, // y is a consonant
                 {u"Anna"_qs, 1, {P(0, 4), P(4, 5)}, u"unna"_qs}, {u"abc"_qs, 2, {P(1, 3), P(2, 21), P(1, 3), P(3, 21)}, u"afc"_qs},
                 {u"1-\u00e9"_qs, 2, {0.1f, 0.99999994f}, u"1-\u00e9"_qs}, {u"Anna"_qs, 0, {}, u"Anna"_qs}, {QString(), 5, {}, QString()}}) {
            ScriptedRandom random(draws);
            QCOMPARE(Mutate(word, mutations, random), result);
            QCOMPARE(random.remaining(), std::size_t(0));
        }
        // The 'a' of Marion drawn as 'a' again is discarded; then m -> g, n -> z.
        ScriptedRandom scripted{P(1, 6), P(0, 5), P(0, 6), P(4, 21), P(5, 6), P(20, 21)};
        QStringList siblings;
        SiblingRunResult result = breed(u"Marion"_qs, 2, 1, scripted, siblings);
        QCOMPARE(siblings, (QStringList{u"Garion"_qs, u"Marioz"_qs}));
        QVERIFY(result.outcome == Outcome::Complete && result.bred == 2 && scripted.remaining() == 0);
        XoshiroRandom random(7); // MARION mutated to itself comes back as Marion: never kept; a run breeds at most 32767
        QCOMPARE(breed(u"MARION"_qs, 40000, 1, random, siblings).bred, 32767);
        for (const QString &s : siblings)
            QVERIFY2(differences(s, u"marion"_qs) == 1 && s == s.left(1).toUpper() + s.mid(1).toLower(), qPrintable(s));
        for (const auto &[parent, mutations, part] : {std::tuple{u"1-2"_qs, 1, u"no vowel or consonant"_qs}, {u"Marion"_qs, 0, u"0 or less"_qs}}) {
            ScriptedRandom none; // refused without a draw, and before the count is asked
            result = breed(parent, 0, mutations, none, siblings);
            QVERIFY2(result.outcome == Outcome::Refused && result.message.contains(part) && siblings.isEmpty(), qPrintable(result.message));
        }
        for (const bool once : {false, true}) { // 5000 digits, one letter: changed once or never, then 10000 in vain
            ScriptedRandom digits([once] { Draws d(10000 + 2 * once, 0.0f); return once ? (d[0] = P(5000, 5001), d[1] = P(1, 5), d) : d; }());
            result = breed(QString(5000, u'7') + u'a', 3, 1, digits, siblings);
            QVERIFY(result.outcome == Outcome::GaveUp && result.message.contains(u"10000 attempts"_qs) && digits.remaining() == 0 && siblings.size() == once);
        }
        breedSiblings(u"Marion"_qs, [&] { return siblings.size() >= 2 ? 2.0 : 5.0; }, [] { return 1; }, random, [&](const QString &s) { siblings << s; });
        QCOMPARE(siblings.size(), 3); // the one above and two more: the wanted count is asked before every attempt
    }

    // Each box offers the stored value, caps an answer above its bound after
    // a message, refuses a negative one, and stores any other non-zero.
    void countDialogs()
    {
        const QString many = u"Why that many? Words set to 500"_qs, negative = u"The number of %1 cannot be negative. Nothing was changed."_qs;
        const QString chernobyl = u"You cannot specify more than 50 mutations (well, you can, but what's the use? That would be worse than Chernobyl)."_qs;
        for (const auto &[mutations, before, answer, message, stored] : std::initializer_list<std::tuple<bool, QString, QString, QString, QString>>{
                 {false, {}, "600", many, "500"}, {false, {}, "1e400", many, "500"}, {false, {}, "500.5", {}, "500"}, {false, {}, "13,5", {}, "13"},
                 {false, {}, "0", {}, {}}, {false, "25", "-3", negative.arg(u"words"_qs), "25"}, {true, {}, "50.5", {}, "50"},
                 {true, {}, "&HFFFF", chernobyl, "50"}, {true, {}, "-1e400", negative.arg(u"mutations"_qs), {}}, {true, "7", {}, {}, "7"}}) {
            const QString key = mutations ? u"Options/Mutations"_qs : u"Options/HowManyGenetic"_qs;
            MainWindowHarness h(before.isNull() ? QMap<QString, QString>() : QMap<QString, QString>{{key, before}});
            h.dialogs.inputAnswers.push_back(answer);
            const int result = mutations ? askMutationCount(h.settings, h.dialogs, nullptr) : askGeneticWordCount(h.settings, h.dialogs, nullptr);
            QCOMPARE(h.stored(key), stored.isNull() ? u"<absent>"_qs : stored);
            QCOMPARE(result, stored == before ? 0 : stored.toInt());
            QCOMPARE(h.dialogs.shown[0].title + u'|' + h.dialogs.shown[0].text + u'|' + h.dialogs.shown[0].defaultText,
                     mutations ? u"Enter number of mutations|How many mutations do you want per generation?|"_qs + (before.isNull() ? u"1"_qs : before)
                               : u"Enter number of words|How many words do you want genetic creator to generate?|"_qs + (before.isNull() ? u"10"_qs : before));
            QCOMPARE(h.dialogs.messages(), message.isNull() ? QStringList() : QStringList{message});
            QVERIFY(message.isNull() || (h.dialogs.shown[1].title == u"Varnock"
                                         && h.dialogs.shown[1].icon == (message.contains(u"negative") ? Dialogs::Icon::Exclamation : Dialogs::Icon::Critical)));
        }
    }

    // Opened from the main window (Ctrl+E) over a stored normal placement.
    void creatorWindow()
    {
        MainWindowHarness h({{"Genetic/WindowState", "0"}, {"Genetic/Height", "3000"}, {"Genetic/Width", "4500"},
                             {"Genetic/Top", "600"}, {"Genetic/Left", "900"}, {"Options/HowManyGenetic", "2147483648"}}); // past 32 bits: the default 10
        frmMain &main = h.open();
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto *form = qobject_cast<frmGenetic *>(QApplication::activeModalWidget());
            QVERIFY(form && form->parentWidget() == &main && form->windowTitle() == u"Genetic creator" && form->objectName() == u"frmGenetic");
            seen = true;
            QTRY_COMPARE(form->frameGeometry(), QRect(60, 40, 300, 200));
            QCOMPARE(form->txtParent->geometry(), QRect(0, 0, form->width(), 19)); // inside the frame
            QCOMPARE(form->lstSiblings->geometry(), QRect(0, 20, form->width(), form->height() - 20));
            QTest::keyClick(form->txtParent, Qt::Key_Return); // empty: nothing happens
            QTest::keyClicks(form->txtParent, u"Marion"_qs);
            QString before;
            for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) { // a second Enter replaces the list
                QTest::keyClick(form->txtParent, key);
                QVERIFY(form->lstSiblings->count() == 10 && form->lstSiblings->item(0)->text() + form->lstSiblings->item(9)->text() != std::exchange(before, form->lstSiblings->item(0)->text() + form->lstSiblings->item(9)->text()));
                QCOMPARE(differences(form->lstSiblings->item(3)->text(), u"Marion"_qs), 1);
            }
            form->lstSiblings_DblClick(); // nothing selected: nothing happens
            QCOMPARE(form->txtParent->text(), u"Marion"_qs);
            for (int row : {3, 1}) { // a real double-click, or Enter on the list, makes a sibling the next parent
                const QString chosen = form->lstSiblings->item(row)->text();
                const QPoint at = form->lstSiblings->visualItemRect(form->lstSiblings->item(row)).center();
                QTest::mouseClick(form->lstSiblings->viewport(), Qt::LeftButton, {}, at);
                row == 3 ? QTest::mouseDClick(form->lstSiblings->viewport(), Qt::LeftButton, {}, at) : QTest::keyClick(form->lstSiblings, Qt::Key_Return);
                QVERIFY(form->txtParent->text() == chosen && form->lstSiblings->count() == 10);
                QCOMPARE(differences(form->lstSiblings->item(0)->text(), chosen), 1);
            }
            QTest::keyClick(form->lstSiblings, Qt::Key_Escape); // no way to close it: the list would be lost
            QVERIFY(form->isVisible() && form->lstSiblings->count() == 10);
            form->resize(250, 12); // under 300 twips inside, the list vanishes
            QCOMPARE(form->lstSiblings->height(), 0);
            form->move(75, 30); // the frame's corner
            form->resize(form->size() - form->frameGeometry().size() + QSize(240, 180));
            form->txtParent->setFocus();
            form->txtParent->setText(u"2026"_qs); // no letters: refused with a message
            QTest::keyClick(form->txtParent, Qt::Key_Return);
            QVERIFY(h.dialogs.messages().size() == 1 && h.dialogs.messages()[0].contains(u"no vowel or consonant") && h.dialogs.shown[0].title == u"Varnock" && h.dialogs.shown[0].icon == Dialogs::Icon::Exclamation);
            form->close();
        });
        QTest::keyClick(&main, Qt::Key_E, Qt::ControlModifier);
        QVERIFY(seen);
        QStringList values;
        for (const char *key : {"WindowState", "Height", "Width", "Top", "Left"}) {
            values << h.stored(u"Genetic/"_qs + QLatin1String(key));
            h.store(u"Genetic/"_qs + QLatin1String(key), u"x"_qs);
        }
        QCOMPARE(values, (QStringList{"0", "2700", "3600", "450", "1125"})); // the outer frame
        // Not numbers: the first opening is maximised; un-maximised it is 3015 x 4320 twips, centred.
        frmGenetic form(h.settings, h.seeded, h.dialogs);
        QCOMPARE(accessibleNames(form), (QStringList{"txtParent=Parent word", "lstSiblings=Siblings"}));
        form.show();
        QVERIFY(form.isMaximized());
        form.showNormal();
        QTRY_COMPARE(form.frameGeometry(), QRect(300, 256, 201, 288));
        form.showMaximized();
        form.close();
        QCOMPARE(h.stored(u"Genetic/WindowState"_qs), u"2"_qs);
        h.dialogs.inputAnswers = {u"3"_qs, u"3"_qs}; // the Options menu sets both counts
        main.mnuGeneticWords->trigger();
        main.mnuMutations->trigger();
        QCOMPARE(h.stored(u"Options/HowManyGenetic"_qs) + h.stored(u"Options/Mutations"_qs), u"33"_qs);
    }
};

QTEST_MAIN(TestGenetic)
#include "test_genetic.moc"
