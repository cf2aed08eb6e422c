#include "shell/MenuShortcuts.h"

#include <QAction>
#include <QEvent>
#include <QKeyEvent>
#include <QWidget>
#include <algorithm>

namespace {

class MenuShortcutsFirst : public QObject {
public:
    MenuShortcutsFirst(QWidget *window, QObject *parent) : QObject(parent), window_(window) {}

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::ShortcutOverride)
            return false;
        // Kept from the field, the override stays unclaimed, as it arrives, so the
        // shortcut map runs the action (a disabled one runs nothing and the field
        // gets the key press).
        const QKeySequence pressed(static_cast<QKeyEvent *>(event)->keyCombination());
        const QList<QAction *> actions = window_->findChildren<QAction *>();
        return std::any_of(actions.begin(), actions.end(), [&](const QAction *a) { return a->shortcuts().contains(pressed); });
    }

private:
    QWidget *window_; // outlives the filter, which belongs to one of its fields
};

} // namespace

void giveMenuShortcutsPriority(QWidget *textField, QWidget *window)
{
    // An unclaimed ShortcutOverride travels on to the parents, and a combo
    // box hands it straight back to its line edit, so each of them is
    // watched up to the window.
    auto *filter = new MenuShortcutsFirst(window, textField);
    for (QWidget *w = textField; w && w != window; w = w->parentWidget())
        w->installEventFilter(filter);
}
