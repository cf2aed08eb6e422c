#include "engine/LetterTables.h"
#include "genetic/GeneticCountDialogs.h"
#include "genetic/frmGenetic.h"
#include "shell/SettingsStore.h"
#include "shell/frmAbout.h"
#include "shell/frmMain.h"
#include "support/ScriptedDialogs.h"
#include "support/ScriptedRandom.h"

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest/QtTest>

namespace {
QStringList items(const QListWidget *list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

// The list holds count siblings, each the parent in proper case with exactly
// one letter changed, a vowel for a vowel and a consonant for a consonant.
void checkOneLetterSiblings(const QListWidget *list, int count, const QString &parent)
{
    QCOMPARE(list->count(), count);
    for (const QString &s : items(list)) {
        QCOMPARE(s, s.left(1).toUpper() + s.mid(1).toLower());
        QCOMPARE(s.size(), parent.size());
        QList<int> at;
        for (int i = 0; i < s.size(); ++i)
            if (s[i].toLower() != parent[i].toLower())
                at << i;
        QCOMPARE(at.size(), 1);
        const char16_t was = parent[at[0]].toLower().unicode(), now = s[at[0]].toLower().unicode();
        QVERIFY(LetterTables::isVowel(now) == LetterTables::isVowel(was)
                && LetterTables::isConsonant(now) == LetterTables::isConsonant(was));
    }
}

void breed(frmGenetic &form, const QString &parent)
{
    QTest::keyClicks(form.txtParent, parent);
    QTest::keyClick(form.txtParent, Qt::Key_Return);
}

// Triggers the command and runs check on the modal window it opens, then
// closes that window. False when no modal window opened.
bool withModal(QAction *command, const std::function<void(QWidget *)> &check)
{
    bool seen = false;
    QTimer timer; // dies with this call, so a command that opens nothing leaves no timer behind
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            seen = true;
            check(modal);
            if (modal->isVisible())
                modal->close();
        }
    });
    timer.start(0);
    command->trigger();
    return seen;
}
} // namespace

class TestFrmGenetic : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    std::unique_ptr<SettingsStore> settings_;
    std::unique_ptr<ScriptedDialogs> dialogs_;
    const QString section_ = QStringLiteral("Genetic");

    QString stored(const QString &section, const QString &key) { return settings_->get(section, key, u"<none>"_qs); }
    void store(const QString &section, const QStringList &keysAndValues)
    {
        for (qsizetype i = 0; i + 1 < keysAndValues.size(); i += 2)
            settings_->save(section, keysAndValues[i], keysAndValues[i + 1]);
    }
    std::unique_ptr<frmGenetic> open(RandomSource &random, bool show = true)
    {
        auto form = std::make_unique<frmGenetic>(*settings_, random, *dialogs_);
        if (show)
            form->show();
        return form;
    }

private Q_SLOTS:
    void init()
    {
        static int n = 0;
        settings_ = std::make_unique<SettingsStore>(QStringLiteral("Varnock"),
                                                    dir_.filePath(QStringLiteral("varnock%1.ini").arg(++n)));
        dialogs_ = std::make_unique<ScriptedDialogs>();
    }

    void enterBreedsAndDoubleClickChooses()
    {
        XoshiroRandom random(42);
        auto form = open(random);
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QSignalSpy returned(form->txtParent, &QLineEdit::returnPressed);
        // Empty: nothing happens and the key goes on to the field.
        form->lstSiblings->addItem(u"Kept"_qs);
        QTest::keyClick(form->txtParent, Qt::Key_Return);
        QCOMPARE(returned.count(), 1);
        QCOMPARE(items(form->lstSiblings), QStringList{u"Kept"_qs});

        breed(*form, u"Marion"_qs);
        QCOMPARE(returned.count(), 1); // swallowed
        checkOneLetterSiblings(form->lstSiblings, 10, u"Marion"_qs);
        // A second Enter replaces the list instead of adding to it.
        QTest::keyClick(form->txtParent, Qt::Key_Enter);
        QCOMPARE(form->lstSiblings->count(), 10);

        // Nothing selected: a double-click on empty space changes nothing.
        form->lstSiblings->clearSelection();
        form->lstSiblings->setCurrentItem(nullptr);
        const QStringList before = items(form->lstSiblings);
        form->lstSiblings_DblClick();
        QCOMPARE(items(form->lstSiblings), before);
        QCOMPARE(form->txtParent->text(), u"Marion"_qs);

        const QString chosen = form->lstSiblings->item(3)->text();
        const QPoint at = form->lstSiblings->visualItemRect(form->lstSiblings->item(3)).center();
        // A real double-click: the first click selects, the second one doubles it.
        QTest::mouseClick(form->lstSiblings->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(form->lstSiblings->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(form->txtParent->text(), chosen);
        checkOneLetterSiblings(form->lstSiblings, 10, chosen);
        QVERIFY(dialogs_->shown.isEmpty());
    }

    // A run that could never give a sibling is refused at once instead of looping.
    void impossibleRunIsRefusedWithAMessage()
    {
        for (const auto &[parent, mutations] : {std::pair{u"2026"_qs, u"1"_qs}, {u"Marion"_qs, u"0"_qs},
                                                {u"Marion"_qs, u"-2"_qs}}) {
            init();
            store(u"Options"_qs, {u"Mutations"_qs, mutations});
            ScriptedRandom random; // a draw would fail the test
            auto form = open(random);
            breed(*form, parent);
            QCOMPARE(form->lstSiblings->count(), 0);
            QCOMPARE(dialogs_->shown.size(), 1);
            QCOMPARE(dialogs_->shown[0].title, u"Varnock"_qs);
            QVERIFY(dialogs_->shown[0].text.contains(u"no sibling can differ"_qs));
        }
    }

    // The outer frame is stored, in twips (15 to a pixel at 96 dpi).
    void placementAndLayout()
    {
        XoshiroRandom random(1);
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        {
            auto form = open(random);
            QVERIFY(form->isMaximized()); // the first opening
            // Un-maximised: the designed 3015 x 4320 twips, centred.
            form->showNormal();
            QTRY_COMPARE(form->frameGeometry(),
                         QRect(screen.width() / 2 - 100, screen.height() / 2 - 144, 201, 288));
            // Esc is no way to close it: the list would be lost.
            form->lstSiblings->addItem(u"Kept"_qs);
            QTest::keyClick(form->lstSiblings, Qt::Key_Escape);
            QVERIFY(form->isVisible());
            QCOMPARE(form->lstSiblings->count(), 1);
            form->showMaximized();
            form->close();
        }
        QCOMPARE(stored(section_, u"WindowState"_qs), u"2"_qs);

        // Closed in the normal state: the next opening gets the saved geometry.
        store(section_, {u"WindowState"_qs, u"0"_qs, u"Height"_qs, u"3000"_qs, u"Width"_qs, u"4500"_qs,
                         u"Top"_qs, u"600"_qs, u"Left"_qs, u"900"_qs});
        {
            auto form = open(random);
            QVERIFY(!form->isMaximized());
            QTRY_COMPARE(form->frameGeometry(), QRect(60, 40, 300, 200));
            form->resize(250, 300);
            QCOMPARE(form->txtParent->geometry(), QRect(0, 0, 250, 19));
            QCOMPARE(form->lstSiblings->geometry(), QRect(0, 20, 250, 280));
            form->resize(250, 12); // less than 300 twips inside: the list vanishes
            QCOMPARE(form->lstSiblings->geometry().height(), 0);
            form->move(75, 30);
            form->resize(form->size() - form->frameGeometry().size() + QSize(240, 180));
            form->close();
        }
        QStringList values;
        for (const QString &key : {u"WindowState"_qs, u"Height"_qs, u"Width"_qs, u"Top"_qs, u"Left"_qs})
            values << stored(section_, key);
        QCOMPARE(values, (QStringList{u"0"_qs, u"2700"_qs, u"3600"_qs, u"450"_qs, u"1125"_qs}));

        // Not numbers: default size 3015 x 4320 twips, centred.
        store(section_, {u"WindowState"_qs, u"1"_qs, u"Height"_qs, u"tall"_qs, u"Width"_qs, u""_qs});
        store(section_, {u"Top"_qs, u"x"_qs, u"Left"_qs, u"x"_qs});
        {
            auto form = open(random, false);
            QCOMPARE(form->size(), QSize(201, 288));
            QCOMPARE(form->pos(), QPoint(screen.width() / 2 - 100, screen.height() / 2 - 144));
            QVERIFY(!form->windowState().testFlag(Qt::WindowMinimized));
        }
        // Saved under another monitor layout: pulled back on screen.
        store(section_, {u"Left"_qs, u"1500000"_qs, u"Top"_qs, u"-900000"_qs});
        QVERIFY(screen.contains(open(random, false)->geometry().center()));
    }

    // Each dialog offers the current value, caps an answer above its bound
    // after a message, refuses a negative one, and stores any other non-zero.
    void countDialogsCapRefuseAndStore()
    {
        const QString many = u"Why that many? Words set to 500"_qs;
        const QString chernobyl = u"You cannot specify more than 50 mutations (well, you can, but what's the use? "
                                  "That would be worse than Chernobyl)."_qs;
        const QString negativeWords = u"The number of words cannot be negative. Nothing was changed."_qs;
        const QString negativeMutations = u"The number of mutations cannot be negative. Nothing was changed."_qs;
        struct Case {
            bool mutations;
            QString before, answer, message, stored; // before: null when nothing is stored yet
        };
        const Case cases[] = {
            {false, {}, u"600"_qs, many, u"500"_qs}, {false, {}, u"1e400"_qs, many, u"500"_qs},
            {false, {}, u"500.5"_qs, {}, u"500"_qs}, {true, {}, u"50.5"_qs, {}, u"50"_qs},
            {true, {}, u"99999999999"_qs, chernobyl, u"50"_qs}, {false, {}, u"&H100000000"_qs, many, u"500"_qs},
            {false, {}, u"12.5"_qs, {}, u"12"_qs} /* half to even */, {false, {}, u"0"_qs, {}, {}},
            {false, {}, QString() /* cancelled */, {}, {}}, {false, {}, u"-3"_qs, negativeWords, {}},
            {false, u"25"_qs, u"-3"_qs, negativeWords, u"25"_qs}, {true, {}, u"51"_qs, chernobyl, u"50"_qs},
            {true, {}, u"50"_qs, {}, u"50"_qs}, {true, {}, u" 3 times"_qs, {}, u"3"_qs},
            {true, {}, u"-1"_qs, negativeMutations, {}}, {true, {}, u"-1e400"_qs, negativeMutations, {}},
            {true, u"7"_qs, QString(), {}, u"7"_qs}};
        for (const Case &c : cases) {
            init();
            const QString key = c.mutations ? u"Mutations"_qs : u"HowManyGenetic"_qs;
            if (!c.before.isNull())
                store(u"Options"_qs, {key, c.before});
            dialogs_->inputAnswers.push_back(c.answer);
            const int result = c.mutations ? askMutationCount(*settings_, *dialogs_, nullptr)
                                           : askGeneticWordCount(*settings_, *dialogs_, nullptr);
            QCOMPARE(stored(u"Options"_qs, key), c.stored.isNull() ? u"<none>"_qs : c.stored);
            QCOMPARE(result, c.stored == c.before ? 0 : c.stored.toInt());
            const ScriptedDialogs::Shown &asked = dialogs_->shown[0];
            QCOMPARE(asked.title, c.mutations ? u"Enter number of mutations"_qs : u"Enter number of words"_qs);
            QCOMPARE(asked.defaultText, !c.before.isNull() ? c.before : c.mutations ? u"1"_qs : u"10"_qs);
            QCOMPARE(dialogs_->messages(), c.message.isNull() ? QStringList() : QStringList{c.message});
            if (c.message == many || c.message == chernobyl)
                QCOMPARE(dialogs_->shown[1].icon, Dialogs::Icon::Critical);
        }
    }

    // The main window's menus open the creator over it, and the counts set
    // from the Options menu reach its next run.
    void mainWindowMenusReachTheCreator()
    {
        store(u"Options"_qs, {u"HowMany"_qs, u"77"_qs});
        XoshiroRandom random(8);
        frmMain window(*settings_, random, *dialogs_);
        window.show();
        auto action = [&](const char16_t *name) { return window.findChild<QAction *>(QString::fromUtf16(name)); };
        auto breedInCreator = [&](int expectedSiblings) {
            QVERIFY(withModal(action(u"mnuGenetic"), [&](QWidget *modal) {
                auto *form = qobject_cast<frmGenetic *>(modal);
                QVERIFY(form && form->parentWidget() == &window && form->txtParent->text().isEmpty());
                breed(*form, u"Marion"_qs);
                QCOMPARE(form->lstSiblings->count(), expectedSiblings);
            }));
        };
        breedInCreator(10);
        dialogs_->inputAnswers = {u"3"_qs, u"51"_qs};
        action(u"mnuGeneticWords")->trigger();
        action(u"mnuMutations")->trigger();
        QCOMPARE(stored(u"Options"_qs, u"Mutations"_qs), u"50"_qs);
        breedInCreator(3);

        QVERIFY(withModal(action(u"mnuAbout"), [&](QWidget *modal) {
            auto *about = qobject_cast<frmAbout *>(modal);
            QVERIFY(about && about->lblDescription->text().contains(u" 77 new words"_qs));
            QTest::keyClick(about, Qt::Key_Escape);
            QVERIFY(!about->isVisible());
        }));
    }
};

QTEST_MAIN(TestFrmGenetic)
#include "test_frm_genetic.moc"
