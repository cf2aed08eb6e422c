#include "engine/RandomSource.h"
#include "genetic/frmGenetic.h"
#include "shell/SettingsStore.h"
#include "shell/frmAbout.h"
#include "shell/frmMain.h"
#include "support/ScriptedDialogs.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest/QtTest>
#include <functional>

namespace {
// Runs check on the modal window that the next command opens, then lets it close.
void whenModalOpens(std::function<void(QWidget *)> check)
{
    QTimer::singleShot(0, [check] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal) {
            QTest::qFail("no modal window opened", __FILE__, __LINE__);
            return;
        }
        check(modal);
        if (modal->isVisible())
            modal->close();
    });
}
} // namespace

class TestMainHookup : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

private Q_SLOTS:
    void menuCommandsOpenTheGeneticCreatorAndAbout()
    {
        SettingsStore settings(QStringLiteral("Varnock"), dir_.filePath(QStringLiteral("hook.ini")));
        settings.save(QStringLiteral("Options"), QStringLiteral("HowMany"), QStringLiteral("77"));
        XoshiroRandom random(8);
        ScriptedDialogs dialogs;
        frmMain window(settings, random, dialogs);
        window.show();

        auto *mnuGenetic = window.findChild<QAction *>(QStringLiteral("mnuGenetic"));
        QVERIFY(mnuGenetic);
        QCOMPARE(mnuGenetic->shortcut(), QKeySequence(QStringLiteral("Ctrl+E")));
        bool seen = false;
        whenModalOpens([&](QWidget *modal) {
            auto *form = qobject_cast<frmGenetic *>(modal);
            QVERIFY(form);
            QCOMPARE(form->parentWidget(), &window);
            QVERIFY(form->txtParent->text().isEmpty());
            QTest::keyClicks(form->txtParent, QStringLiteral("Marion"));
            QTest::keyClick(form->txtParent, Qt::Key_Return);
            QCOMPARE(form->lstSiblings->count(), 10);
            seen = true;
        });
        mnuGenetic->trigger();
        QVERIFY(seen);
        QCOMPARE(settings.get(QStringLiteral("Genetic"), QStringLiteral("WindowState"), QString()),
                 QStringLiteral("2"));

        // The counts set from the Options menu reach the next breeding run.
        dialogs.inputAnswers = {QStringLiteral("3"), QStringLiteral("51")};
        window.findChild<QAction *>(QStringLiteral("mnuGeneticWords"))->trigger();
        window.findChild<QAction *>(QStringLiteral("mnuMutations"))->trigger();
        QCOMPARE(dialogs.messages().size(), 1);
        QVERIFY(dialogs.messages()[0].startsWith(QStringLiteral("You cannot specify more than 50 mutations")));
        seen = false;
        whenModalOpens([&](QWidget *modal) {
            auto *form = qobject_cast<frmGenetic *>(modal);
            QVERIFY(form);
            QTest::keyClicks(form->txtParent, QStringLiteral("Marion"));
            QTest::keyClick(form->txtParent, Qt::Key_Return);
            QCOMPARE(form->lstSiblings->count(), 3);
            seen = true;
        });
        mnuGenetic->trigger();
        QVERIFY(seen);

        seen = false;
        whenModalOpens([&](QWidget *modal) {
            auto *about = qobject_cast<frmAbout *>(modal);
            QVERIFY(about);
            QVERIFY(about->lblDescription->text().contains(QStringLiteral(" 77 new words")));
            QTest::keyClick(about, Qt::Key_Escape);
            QVERIFY(!about->isVisible());
            seen = true;
        });
        window.findChild<QAction *>(QStringLiteral("mnuAbout"))->trigger();
        QVERIFY(seen);
    }
};

QTEST_MAIN(TestMainHookup)
#include "test_main_hookup.moc"
