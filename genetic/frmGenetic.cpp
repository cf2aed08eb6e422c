#include "genetic/frmGenetic.h"

#include "genetic/SiblingLoop.h"
#include "shell/AppIcons.h"
#include "shell/Dialogs.h"
#include "shell/SettingsStore.h"
#include "shell/Twips.h"
#include "shell/WindowPlacement.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QShortcut>

frmGenetic::frmGenetic(SettingsStore &settings, RandomSource &random, Dialogs &dialogs, QWidget *parent)
    : QDialog(parent), settings_(settings), random_(random), dialogs_(dialogs)
{
    setObjectName(QStringLiteral("frmGenetic"));
    placement_ = new WindowPlacement(this, settings_, VarnockSettings::GeneticWindow);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint
                   | Qt::WindowCloseButtonHint);
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

// The fields are laid out by the resize event the window gets as it is shown.
void frmGenetic::Form_Load()
{
    RestorePlacement();
}

void frmGenetic::RestorePlacement()
{
    placement_->restore();
}

void frmGenetic::resizeEvent(QResizeEvent *)
{
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

void frmGenetic::Form_Unload()
{
    if (unloaded_)
        return;
    unloaded_ = true;
    placement_->save();
}

void frmGenetic::keyPressEvent(QKeyEvent *)
{
    // A dialog closes on Esc and presses its default button (this one has
    // none) on Enter; this window is closed only through its frame, so the
    // user's list is never thrown away by a stray Esc. The fields take every
    // other key before it gets here.
}

bool frmGenetic::eventFilter(QObject *watched, QEvent *event)
{
    // The field goes on to see the key: its own Enter does nothing here.
    if (watched == txtParent && event->type() == QEvent::KeyPress)
        txtParent_KeyPress(static_cast<QKeyEvent *>(event)->key());
    return QDialog::eventFilter(watched, event);
}

void frmGenetic::txtParent_KeyPress(int key)
{
    if ((key != Qt::Key_Return && key != Qt::Key_Enter) || txtParent->text().isEmpty())
        return;
    lstSiblings->clear();
    GenerateSiblings();
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
