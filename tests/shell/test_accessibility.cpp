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

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>
#include <memory>

namespace {

QString describe(const QWidget *w)
{
    return QStringLiteral("%1 \"%2\"").arg(QString::fromLatin1(w->metaObject()->className()), w->objectName());
}

// The line edit of an editable combo box, the viewport of a list and the
// like are parts of one control, named through it.
bool isPartOfControl(const QWidget *w, const QWidget *window)
{
    for (const QWidget *p = w->parentWidget(); p && p != window; p = p->parentWidget()) {
        if (qobject_cast<const QComboBox *>(p) || qobject_cast<const QAbstractSpinBox *>(p)
            || qobject_cast<const QAbstractItemView *>(p))
            return true;
    }
    return false;
}

QList<QWidget *> controls(QWidget *window)
{
    QList<QWidget *> result;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (w->focusPolicy() == Qt::NoFocus || w->isWindow() || isPartOfControl(w, window))
            continue;
        if (qobject_cast<QMenuBar *>(w) || qobject_cast<QMenu *>(w))
            continue; // reached through access keys, checked below
        result << w;
    }
    return result;
}

bool keyboardReachable(const QAction *action)
{
    return !QKeySequence::mnemonic(action->text()).isEmpty() || !action->shortcut().isEmpty();
}

void collectMenuProblems(const QMenu *menu, QStringList &problems)
{
    for (const QAction *action : menu->actions()) {
        if (action->isSeparator())
            continue;
        if (!keyboardReachable(action))
            problems << QStringLiteral("menu item \"%1\" has neither access key nor shortcut").arg(action->text());
        if (action->menu())
            collectMenuProblems(action->menu(), problems);
    }
}

QStringList accessibilityProblems(QWidget *window)
{
    QStringList problems;
    for (QWidget *w : controls(window)) {
        if (w->accessibleName().trimmed().isEmpty())
            problems << describe(w) + QStringLiteral(" has no accessible name");
        if (!(w->focusPolicy() & Qt::TabFocus)) {
            const auto *button = qobject_cast<QAbstractButton *>(w);
            if (!button || button->shortcut().isEmpty())
                problems << describe(w) + QStringLiteral(" cannot be reached with Tab");
        }
    }
    for (const QMenuBar *bar : window->findChildren<QMenuBar *>()) {
        for (const QAction *top : bar->actions()) {
            if (!keyboardReachable(top))
                problems << QStringLiteral("menu \"%1\" has no access key").arg(top->text());
            if (top->menu())
                collectMenuProblems(top->menu(), problems);
        }
    }
    return problems;
}

} // namespace

Q_DECLARE_METATYPE(std::function<QWidget *(SettingsStore &, RandomSource &, Dialogs &)>)

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
    void everyControlNamedAndReachable_data()
    {
        QTest::addColumn<QString>("app");
        QTest::addColumn<std::function<QWidget *(SettingsStore &, RandomSource &, Dialogs &)>>("make");
        using Make = std::function<QWidget *(SettingsStore &, RandomSource &, Dialogs &)>;
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
        using Make = std::function<QWidget *(SettingsStore &, RandomSource &, Dialogs &)>;
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
        const QList<QLineEdit *> fields = window.findChildren<QLineEdit *>();
        QVERIFY(!fields.isEmpty());
        QList<QKeySequence> shortcuts;
        for (const QAction *action : window.findChildren<QAction *>()) {
            if (action->isEnabled())
                shortcuts << action->shortcuts();
        }
        QVERIFY(shortcuts.size() >= 10);
        const auto claimed = [](QLineEdit *field, QKeyCombination key) {
            QKeyEvent event(QEvent::ShortcutOverride, key.key(), key.keyboardModifiers());
            event.ignore();
            QCoreApplication::sendEvent(field, &event);
            return event.isAccepted();
        };
        for (QLineEdit *field : fields) {
            for (const QKeySequence &shortcut : shortcuts)
                QVERIFY2(!claimed(field, shortcut[0]),
                         qPrintable(field->parentWidget()->objectName() + QStringLiteral(" claims ")
                                    + shortcut.toString()));
            // Keys no menu uses stay the field's own.
            QVERIFY(claimed(field, QKeyCombination(Qt::ControlModifier, Qt::Key_A)));
            QVERIFY(claimed(field, QKeyCombination(Qt::ControlModifier, Qt::Key_Z)));
        }
    }
};

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
