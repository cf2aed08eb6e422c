#include "shell/MenuShortcuts.h"

#include <QAction>
#include <QEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

namespace {

class MenuShortcutsFirst : public QObject {
public:
    MenuShortcutsFirst(QWidget *window, QObject *parent) : QObject(parent), window_(window) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::ShortcutOverride || !window_)
            return QObject::eventFilter(watched, event);
        const QKeySequence pressed(static_cast<QKeyEvent *>(event)->keyCombination());
        for (const QAction *action : window_->findChildren<QAction *>()) {
            // Kept from the field, the override stays unclaimed, as it arrives, so the
            // shortcut map runs the action (a disabled one runs nothing and the field
            // gets the key press).
            if (action->shortcuts().contains(pressed))
                return true;
        }
        return false;
    }

private:
    QPointer<QWidget> window_;
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
