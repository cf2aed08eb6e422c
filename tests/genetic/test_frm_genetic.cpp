#include "genetic/GeneticCountDialogs.h"
#include "genetic/frmGenetic.h"
#include "shell/SettingsStore.h"
#include "support/ScriptedDialogs.h"
#include "support/ScriptedRandom.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest/QtTest>

namespace {
QStringList items(const QListWidget *list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

int differencesFrom(const QString &word, const QString &parent)
{
    int n = 0;
    for (int i = 0; i < word.size(); ++i)
        n += word[i].toLower() != parent[i].toLower();
    return n;
}
} // namespace

class TestFrmGenetic : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString ini_;
    std::unique_ptr<SettingsStore> settings_;

    QString stored(const QString &section, const QString &key)
    {
        return settings_->get(section, key, QStringLiteral("<none>"));
    }

private Q_SLOTS:
    void init()
    {
        static int n = 0;
        ini_ = dir_.filePath(QStringLiteral("varnock%1.ini").arg(++n));
        settings_ = std::make_unique<SettingsStore>(QStringLiteral("Varnock"), ini_);
    }

    void enterBreedsSiblingsOfMarion()
    {
        XoshiroRandom random(42);
        ScriptedDialogs dialogs;
        frmGenetic form(*settings_, random, dialogs);
        QCOMPARE(form.windowTitle(), QStringLiteral("Genetic creator"));
        form.show();
        QTest::keyClicks(form.txtParent, QStringLiteral("Marion"));
        QSignalSpy returned(form.txtParent, &QLineEdit::returnPressed);
        QTest::keyClick(form.txtParent, Qt::Key_Return);
        QCOMPARE(returned.count(), 0); // swallowed
        const QStringList siblings = items(form.lstSiblings);
        QCOMPARE(siblings.size(), 10);
        for (const QString &s : siblings) {
            QCOMPARE(s.size(), 6);
            QVERIFY(s[0].isUpper());
            QCOMPARE(differencesFrom(s, QStringLiteral("marion")), 1);
        }
        // A second Enter replaces the list instead of adding to it.
        QTest::keyClick(form.txtParent, Qt::Key_Enter);
        QCOMPARE(form.lstSiblings->count(), 10);
        QVERIFY(dialogs.shown.isEmpty());
    }

    void enterInEmptyBoxDoesNothingAndPassesOn()
    {
        ScriptedRandom random; // a draw would fail the test
        ScriptedDialogs dialogs;
        frmGenetic form(*settings_, random, dialogs);
        form.show();
        form.lstSiblings->addItem(QStringLiteral("Kept"));
        QSignalSpy returned(form.txtParent, &QLineEdit::returnPressed);
        QTest::keyClick(form.txtParent, Qt::Key_Return);
        QCOMPARE(returned.count(), 1);
        QCOMPARE(items(form.lstSiblings), QStringList{QStringLiteral("Kept")});
        QCOMPARE(random.draws(), std::size_t(0));
    }

    void doubleClickBreedsFromTheChosenSibling()
    {
        XoshiroRandom random(5);
        ScriptedDialogs dialogs;
        settings_->save(QStringLiteral("Options"), QStringLiteral("HowManyGenetic"), QStringLiteral("6"));
        frmGenetic form(*settings_, random, dialogs);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTest::keyClicks(form.txtParent, QStringLiteral("Marion"));
        QTest::keyClick(form.txtParent, Qt::Key_Return);
        QCOMPARE(form.lstSiblings->count(), 6);

        // Nothing selected: a double-click on empty space changes nothing.
        form.lstSiblings->clearSelection();
        form.lstSiblings->setCurrentItem(nullptr);
        const QStringList before = items(form.lstSiblings);
        form.lstSiblings_DblClick();
        QCOMPARE(items(form.lstSiblings), before);
        QCOMPARE(form.txtParent->text(), QStringLiteral("Marion"));

        const QString chosen = form.lstSiblings->item(3)->text();
        const QRect rect = form.lstSiblings->visualItemRect(form.lstSiblings->item(3));
        // A real double-click: the first click selects, the second one doubles it.
        QTest::mouseClick(form.lstSiblings->viewport(), Qt::LeftButton, {}, rect.center());
        QTest::mouseDClick(form.lstSiblings->viewport(), Qt::LeftButton, {}, rect.center());
        QCOMPARE(form.txtParent->text(), chosen);
        const QStringList after = items(form.lstSiblings);
        QCOMPARE(after.size(), 6);
        for (const QString &s : after)
            QCOMPARE(differencesFrom(s, chosen), 1);
    }

    void impossibleRunIsRefusedWithAMessage_data()
    {
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QString>("mutations");
        QTest::newRow("digits only") << "2026" << "1";
        QTest::newRow("negative mutations") << "Marion" << "-2";
    }
    void impossibleRunIsRefusedWithAMessage()
    {
        QFETCH(QString, parent);
        QFETCH(QString, mutations);
        settings_->save(QStringLiteral("Options"), QStringLiteral("Mutations"), mutations);
        ScriptedRandom random;
        ScriptedDialogs dialogs;
        frmGenetic form(*settings_, random, dialogs);
        form.show();
        QTest::keyClicks(form.txtParent, parent);
        QTest::keyClick(form.txtParent, Qt::Key_Return);
        QCOMPARE(form.lstSiblings->count(), 0);
        QCOMPARE(dialogs.shown.size(), 1);
        QCOMPARE(dialogs.shown[0].title, QStringLiteral("Varnock"));
        QVERIFY(dialogs.shown[0].text.contains(QStringLiteral("no sibling can differ")));
    }

    void firstOpeningIsMaximisedAndPlacementRoundTrips()
    {
        XoshiroRandom random(1);
        ScriptedDialogs dialogs;
        {
            frmGenetic form(*settings_, random, dialogs);
            form.show();
            QVERIFY(form.isMaximized());
            form.close();
        }
        QCOMPARE(stored(QStringLiteral("Genetic"), QStringLiteral("WindowState")), QStringLiteral("2"));
        QVERIFY(stored(QStringLiteral("Genetic"), QStringLiteral("Height")).toDouble() > 0);

        // Closed in the normal state: the next opening gets the saved geometry.
        const QString section = QStringLiteral("Genetic");
        settings_->save(section, QStringLiteral("WindowState"), QStringLiteral("0"));
        settings_->save(section, QStringLiteral("Height"), QStringLiteral("3000"));
        settings_->save(section, QStringLiteral("Width"), QStringLiteral("4500"));
        settings_->save(section, QStringLiteral("Top"), QStringLiteral("600"));
        settings_->save(section, QStringLiteral("Left"), QStringLiteral("900"));
        {
            frmGenetic form(*settings_, random, dialogs);
            form.show();
            QVERIFY(!form.isMaximized());
            QCOMPARE(form.size(), QSize(300, 200));
            QCOMPARE(form.pos(), QPoint(60, 40));
            form.move(75, 30);
            form.resize(240, 180);
            form.close();
        }
        QCOMPARE(stored(section, QStringLiteral("WindowState")), QStringLiteral("0"));
        QCOMPARE(stored(section, QStringLiteral("Height")), QStringLiteral("2700"));
        QCOMPARE(stored(section, QStringLiteral("Width")), QStringLiteral("3600"));
        QCOMPARE(stored(section, QStringLiteral("Top")), QStringLiteral("450"));
        QCOMPARE(stored(section, QStringLiteral("Left")), QStringLiteral("1125"));
    }

    void badOrOffScreenPlacementFallsBack()
    {
        const QString section = QStringLiteral("Genetic");
        settings_->save(section, QStringLiteral("WindowState"), QStringLiteral("1"));
        settings_->save(section, QStringLiteral("Height"), QStringLiteral("tall"));
        settings_->save(section, QStringLiteral("Width"), QStringLiteral(""));
        XoshiroRandom random(1);
        ScriptedDialogs dialogs;
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        {
            // Not numbers: default size 3015 x 4320 twips, centred.
            frmGenetic form(*settings_, random, dialogs);
            QCOMPARE(form.size(), QSize(201, 288));
            QCOMPARE(form.pos(), QPoint(screen.width() / 2 - 100, screen.height() / 2 - 144));
            QVERIFY(!form.windowState().testFlag(Qt::WindowMinimized));
        }
        settings_->save(section, QStringLiteral("Left"), QStringLiteral("1500000"));
        settings_->save(section, QStringLiteral("Top"), QStringLiteral("-900000"));
        {
            frmGenetic form(*settings_, random, dialogs);
            QVERIFY(screen.contains(form.geometry().center()));
        }
    }

    void layoutFollowsTheWindowSize()
    {
        XoshiroRandom random(1);
        ScriptedDialogs dialogs;
        settings_->save(QStringLiteral("Genetic"), QStringLiteral("WindowState"), QStringLiteral("0"));
        frmGenetic form(*settings_, random, dialogs);
        form.show();
        form.resize(250, 300);
        QCOMPARE(form.txtParent->geometry(), QRect(0, 0, 250, 19));
        QCOMPARE(form.lstSiblings->geometry(), QRect(0, 20, 250, 280));
        form.resize(250, 12); // less than 300 twips inside
        QCOMPARE(form.lstSiblings->geometry().height(), 0);
    }

    void countDialogsCapRefuseAndStore_data()
    {
        QTest::addColumn<bool>("mutations");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("stored");

        const QString many = QStringLiteral("Why that many? Words set to 500");
        const QString chernobyl = QStringLiteral(
            "You cannot specify more than 50 mutations (well, you can, but what's the use? That would be "
            "worse than Chernobyl).");
        QTest::newRow("600 words") << false << "600" << many << "500";
        QTest::newRow("huge words") << false << "1e15" << many << "500";
        QTest::newRow("12.5 words round to even") << false << "12.5" << "" << "12";
        QTest::newRow("0 words") << false << "0" << "" << "<none>";
        QTest::newRow("cancelled words") << false << "" << "" << "<none>";
        QTest::newRow("negative words") << false << "-3" << "The number of words cannot be negative. Nothing was changed."
                                        << "<none>";
        QTest::newRow("51 mutations") << true << "51" << chernobyl << "50";
        QTest::newRow("50 mutations") << true << "50" << "" << "50";
        QTest::newRow("3 mutations") << true << " 3 times" << "" << "3";
        QTest::newRow("negative mutations")
            << true << "-1" << "The number of mutations cannot be negative. Nothing was changed." << "<none>";
        QTest::newRow("hugely negative mutations")
            << true << "-1e30" << "The number of mutations cannot be negative. Nothing was changed." << "<none>";
    }
    void countDialogsCapRefuseAndStore()
    {
        QFETCH(bool, mutations);
        QFETCH(QString, answer);
        QFETCH(QString, message);
        QFETCH(QString, stored);
        ScriptedDialogs dialogs;
        dialogs.inputAnswers.push_back(answer);
        const int result = mutations ? askMutationCount(*settings_, dialogs, nullptr)
                                     : askGeneticWordCount(*settings_, dialogs, nullptr);
        const QString key = mutations ? QStringLiteral("Mutations") : QStringLiteral("HowManyGenetic");
        QCOMPARE(this->stored(QStringLiteral("Options"), key), stored);
        QCOMPARE(result, stored == u"<none>" ? 0 : stored.toInt());

        QCOMPARE(dialogs.shown[0].kind, QStringLiteral("input"));
        QCOMPARE(dialogs.shown[0].text, mutations ? QStringLiteral("How many mutations do you want per generation?")
                                                  : QStringLiteral("How many words do you want genetic creator to generate?"));
        QCOMPARE(dialogs.shown[0].title,
                 mutations ? QStringLiteral("Enter number of mutations") : QStringLiteral("Enter number of words"));
        QCOMPARE(dialogs.shown[0].defaultText, mutations ? QStringLiteral("1") : QStringLiteral("10"));
        QCOMPARE(dialogs.messages(), message.isEmpty() ? QStringList() : QStringList{message});
        if (message.contains(u"that many") || message.contains(u"Chernobyl"))
            QCOMPARE(dialogs.shown[1].icon, Dialogs::Icon::Critical);
    }

    void countDialogOffersTheCurrentValue()
    {
        settings_->save(QStringLiteral("Options"), QStringLiteral("Mutations"), QStringLiteral("7"));
        ScriptedDialogs dialogs;
        dialogs.inputAnswers.push_back(QString());
        QCOMPARE(askMutationCount(*settings_, dialogs, nullptr), 0);
        QCOMPARE(dialogs.shown[0].defaultText, QStringLiteral("7"));
        QCOMPARE(stored(QStringLiteral("Options"), QStringLiteral("Mutations")), QStringLiteral("7"));
    }
};

QTEST_MAIN(TestFrmGenetic)
#include "test_frm_genetic.moc"
