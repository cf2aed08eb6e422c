#include "genetic/frmGenetic.h"

#include "genetic/SiblingLoop.h"
#include "shell/AppIcons.h"
#include "shell/Placement.h"
#include "shell/Dialogs.h"
#include "shell/SettingsStore.h"
#include "shell/Twips.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QShortcut>

namespace {
const QString Section = QStringLiteral("Genetic");

// A stored placement value that is not a number falls back to the default.
double storedNumber(const SettingsStore &settings, const QString &key, double defaultValue)
{
    return Placement::storedNumber(settings.get(Section, key, QString()), defaultValue);
}
} // namespace

frmGenetic::frmGenetic(SettingsStore &settings, RandomSource &random, Dialogs &dialogs, QWidget *parent)
    : QDialog(parent), settings_(settings), random_(random), dialogs_(dialogs)
{
    setObjectName(QStringLiteral("frmGenetic"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint
                   | Qt::WindowCloseButtonHint);
    setModal(true);
    setWindowTitle(QStringLiteral("Genetic creator"));
    setWindowIcon(AppIcons::varnock());

    txtParent = new QLineEdit(this);
    txtParent->setAccessibleName(QStringLiteral("Parent word"));
    txtParent->setObjectName(QStringLiteral("txtParent"));
    txtParent->installEventFilter(this);
    lstSiblings = new QListWidget(this);
    lstSiblings->setAccessibleName(QStringLiteral("Siblings"));
    lstSiblings->setObjectName(QStringLiteral("lstSiblings"));
    connect(lstSiblings, &QListWidget::itemDoubleClicked, this, &frmGenetic::lstSiblings_DblClick);
    // Enter on the list chooses a sibling as a double-click does, so the
    // creator can be used without a mouse.
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter})
        connect(new QShortcut(QKeySequence(key), lstSiblings, nullptr, nullptr, Qt::WidgetShortcut),
                &QShortcut::activated, this, &frmGenetic::lstSiblings_DblClick);

    Form_Load();
}

void frmGenetic::Form_Load()
{
    RestorePlacement();
    Form_Resize();
}

void frmGenetic::RestorePlacement()
{
    if (storedNumber(settings_, QStringLiteral("WindowState"), 2) == 2) {
        setWindowState(windowState() | Qt::WindowMaximized);
        return;
    }
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QRect screenRect = screen ? screen->geometry() : QRect(0, 0, 1024, 768);

    const int height = std::max(1, Twips::toPixels(storedNumber(settings_, QStringLiteral("Height"), 4320)));
    const int width = std::max(1, Twips::toPixels(storedNumber(settings_, QStringLiteral("Width"), 3015)));
    resize(width, height);
    const double screenHeightTwips = Twips::fromPixels(screenRect.height());
    const double screenWidthTwips = Twips::fromPixels(screenRect.width());
    const int top = Twips::toPixels(storedNumber(settings_, QStringLiteral("Top"),
                                                 screenHeightTwips / 2 - Twips::fromPixels(height) / 2));
    const int left = Twips::toPixels(
        storedNumber(settings_, QStringLiteral("Left"), screenWidthTwips / 2 - Twips::fromPixels(width) / 2));

    // A position saved under another monitor layout must stay reachable.
    QList<QRectF> screens;
    for (const QScreen *s : QGuiApplication::screens())
        screens << QRectF(s->availableGeometry());
    move(Placement::keepOnScreen(QRectF(left, top, width, height), screens).topLeft().toPoint());
}

void frmGenetic::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    Form_Resize();
}

void frmGenetic::Form_Resize()
{
    const int innerWidth = width();
    txtParent->setGeometry(0, 0, innerWidth, Twips::toPixels(285));
    const int listTop = Twips::toPixels(300);
    // Below 300 twips of inner height (e.g. while minimised) the list simply vanishes.
    lstSiblings->setGeometry(0, listTop, innerWidth, std::max(0, height() - listTop));
}

void frmGenetic::done(int result)
{
    Form_Unload();
    QDialog::done(result);
}

// Height and Width are the inner size and Top/Left the frame's corner, the
// values resize() and move() take, so a window reopens exactly as it closed
// whatever frame the desktop draws around it.
void frmGenetic::Form_Unload()
{
    if (unloaded_)
        return;
    unloaded_ = true;
    const Qt::WindowStates state = windowState();
    const int stateNumber = state.testFlag(Qt::WindowMinimized) ? 1 : state.testFlag(Qt::WindowMaximized) ? 2 : 0;
    settings_.save(Section, QStringLiteral("WindowState"), QString::number(stateNumber));
    settings_.save(Section, QStringLiteral("Height"), QString::number(Twips::fromPixels(height())));
    settings_.save(Section, QStringLiteral("Width"), QString::number(Twips::fromPixels(width())));
    settings_.save(Section, QStringLiteral("Top"), QString::number(Twips::fromPixels(pos().y())));
    settings_.save(Section, QStringLiteral("Left"), QString::number(Twips::fromPixels(pos().x())));
}

bool frmGenetic::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == txtParent && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (txtParent_KeyPress(key->key()))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

bool frmGenetic::txtParent_KeyPress(int key)
{
    if ((key != Qt::Key_Return && key != Qt::Key_Enter) || txtParent->text().isEmpty())
        return false;
    lstSiblings->clear();
    GenerateSiblings();
    return true;
}

void frmGenetic::lstSiblings_DblClick()
{
    const QList<QListWidgetItem *> selected = lstSiblings->selectedItems();
    if (selected.isEmpty())
        return;
    txtParent->setText(selected.first()->text());
    lstSiblings->clear();
    GenerateSiblings();
}

void frmGenetic::GenerateSiblings()
{
    const SiblingRunResult result = breedSiblings(txtParent->text(), settings_, random_,
                                                  [this](const QString &sibling) { lstSiblings->addItem(sibling); });
    if (result.outcome != SiblingRunResult::Outcome::Complete)
        dialogs_.message(this, result.message, settings_.applicationName(), Dialogs::Icon::Exclamation);
}
