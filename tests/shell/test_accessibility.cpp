// Every window is usable with a screen reader and without a mouse: each
// control that can take the focus has an accessible name and is reached by
// Tab, every menu command has an access key or a shortcut that works even
// while a text field has the focus, and every button can be reached from
// the keyboard.

#include "engine/RandomSource.h"
#include "genetic/frmGenetic.h"
#include "shell/SettingsStore.h"
#include "shell/frmAbout.h"
#include "shell/frmMain.h"
#include "substitute/frmKestrin.h"
#include "support/ScriptedDialogs.h"

#include <QtTest>
#include <QtWidgets>
#include <functional>
#include <memory>

namespace {

// The controls that take the focus. The line edit of an editable combo box,
// the viewport of a list and the like are parts of one control, named
// through it; menus are reached through access keys, checked apart.
QList<QWidget *> controls(QWidget *window)
{
    const auto isPart = [window](const QWidget *w) {
        for (const QWidget *p = w->parentWidget(); p && p != window; p = p->parentWidget())
            if (qobject_cast<const QComboBox *>(p) || qobject_cast<const QAbstractSpinBox *>(p)
                || qobject_cast<const QAbstractItemView *>(p))
                return true;
        return false;
    };
    QList<QWidget *> result;
    for (QWidget *w : window->findChildren<QWidget *>())
        if (w->focusPolicy() != Qt::NoFocus && !w->isWindow() && !isPart(w) && !qobject_cast<QMenuBar *>(w)
            && !qobject_cast<QMenu *>(w))
            result << w;
    return result;
}

void collectMenuProblems(const QList<QAction *> &items, QStringList &problems)
{
    for (const QAction *action : items) {
        if (action->isSeparator())
            continue;
        if (QKeySequence::mnemonic(action->text()).isEmpty() && action->shortcut().isEmpty())
            problems << QStringLiteral("menu item \"%1\" has neither access key nor shortcut").arg(action->text());
        if (action->menu())
            collectMenuProblems(action->menu()->actions(), problems);
    }
}

QStringList accessibilityProblems(QWidget *window)
{
    QStringList problems;
    for (QWidget *w : controls(window)) {
        const QString name =
            QStringLiteral("%1 \"%2\"").arg(QString::fromLatin1(w->metaObject()->className()), w->objectName());
        if (w->accessibleName().trimmed().isEmpty())
            problems << name + QStringLiteral(" has no accessible name");
        const auto *button = qobject_cast<QAbstractButton *>(w);
        if (!(w->focusPolicy() & Qt::TabFocus) && (!button || button->shortcut().isEmpty()))
            problems << name + QStringLiteral(" cannot be reached with Tab");
    }
    for (const QMenuBar *bar : window->findChildren<QMenuBar *>())
        collectMenuProblems(bar->actions(), problems);
    return problems;
}

using Make = std::function<QWidget *(SettingsStore &, RandomSource &, Dialogs &)>;

} // namespace

Q_DECLARE_METATYPE(Make)

class TestAccessibility : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    XoshiroRandom random{12345};

    std::unique_ptr<SettingsStore> store(const QString &app)
    {
        return std::make_unique<SettingsStore>(app, dir.filePath(app + QStringLiteral(".conf")));
    }

private Q_SLOTS:
    // The check itself finds each kind of problem.
    void checkerReportsProblems()
    {
        QWidget window;
        new QLineEdit(&window);
        auto *mouseOnly = new QPushButton(QStringLiteral("Go"), &window);
        mouseOnly->setAccessibleName(QStringLiteral("Go"));
        mouseOnly->setFocusPolicy(Qt::ClickFocus);
        QMenu *menu = (new QMenuBar(&window))->addMenu(QStringLiteral("File"));
        menu->addAction(QStringLiteral("&Open"));
        menu->addAction(QStringLiteral("Close"));
        QCOMPARE(accessibilityProblems(&window),
                 (QStringList{"QLineEdit \"\" has no accessible name", "QPushButton \"\" cannot be reached with Tab",
                              "menu item \"File\" has neither access key nor shortcut",
                              "menu item \"Close\" has neither access key nor shortcut"}));
    }

    void everyControlNamedAndReachable_data()
    {
        QTest::addColumn<QString>("app");
        QTest::addColumn<Make>("make");
        QTest::newRow("Varnock main window") << QStringLiteral("Varnock")
            << Make([](SettingsStore &s, RandomSource &r, Dialogs &d) { return new frmMain(s, r, d); });
        QTest::newRow("genetic creator") << QStringLiteral("Varnock")
            << Make([](SettingsStore &s, RandomSource &r, Dialogs &d) { return new frmGenetic(s, r, d); });
        QTest::newRow("About box") << QStringLiteral("Varnock")
            << Make([](SettingsStore &s, RandomSource &, Dialogs &d) { return new frmAbout(s, d); });
        QTest::newRow("Kestrin") << QStringLiteral("Kestrin")
            << Make([](SettingsStore &s, RandomSource &r, Dialogs &d) { return new kestrin::frmMain(s, r, d); });
    }
    void everyControlNamedAndReachable()
    {
        QFETCH(QString, app);
        QFETCH(Make, make);
        auto settings = store(app);
        std::unique_ptr<QWidget> window(make(*settings, random, dialogs));
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        // A window with nothing to check would pass by accident.
        QVERIFY(controls(window.get()).size() >= 2);
        const QStringList problems = accessibilityProblems(window.get());
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QStringLiteral("\n  "))));
    }

    // A text field answers ShortcutOverride by accepting the keys it edits
    // with, which silences any menu shortcut on the same key.
    void menuShortcutsWinInTextFields()
    {
        auto settings = store(QStringLiteral("Varnock"));
        frmMain window(*settings, random, dialogs);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QList<QKeySequence> shortcuts;
        for (const QAction *action : window.findChildren<QAction *>())
            if (action->isEnabled())
                shortcuts << action->shortcuts();
        QVERIFY(shortcuts.size() >= 10);
        const auto claimed = [](QLineEdit *field, QKeyCombination key) {
            QKeyEvent event(QEvent::ShortcutOverride, key.key(), key.keyboardModifiers());
            event.ignore();
            QCoreApplication::sendEvent(field, &event);
            return event.isAccepted();
        };
        const QList<QLineEdit *> fields = window.findChildren<QLineEdit *>();
        QVERIFY(!fields.isEmpty());
        for (QLineEdit *field : fields) {
            for (const QKeySequence &shortcut : shortcuts)
                QVERIFY2(!claimed(field, shortcut[0]), qPrintable(shortcut.toString()));
            // Keys no menu uses stay the field's own.
            QVERIFY(claimed(field, QKeyCombination(Qt::ControlModifier, Qt::Key_A)));
            QVERIFY(claimed(field, QKeyCombination(Qt::ControlModifier, Qt::Key_Z)));
        }
    }
};

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
