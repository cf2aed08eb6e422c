// Start-up, placement, closing, the layout pass and key preview.
#include "shell/frmMain.h"

#include "engine/RandomSource.h"
#include "shell/AppIcons.h"
#include "shell/ClientArea.h"
#include "shell/Dialogs.h"
#include "shell/Placement.h"
#include "shell/ProgramStart.h"
#include "shell/ProgressBox.h"
#include "shell/SettingsStore.h"
#include "shell/VarnockSettings.h"
#include "shell/Twips.h"
#include "shell/WindowPlacement.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QPushButton>

namespace {

const QString kList = QString::fromLatin1(VarnockSettings::HistorySection);
const QString kTitle = QString::fromLatin1(VarnockTitle);

} // namespace

void frmMain::Form_Load()
{
    random_.reseedFromClock();
    // The designed layout, so that a start in direct-save mode, which lays
    // out only the top row, finds every other control in its place.
    MainLayout::layoutPass(layout_, MainLayout::designClientWidth, MainLayout::designClientHeight, false);
    RestorePlacement();
    // The index is a 16-bit number, so at most 32767 entries come back.
    for (int i = 0; i < 32767; ++i) {
        const QString entry = settings_.get(kList, QString::number(i), QString());
        if (entry.isEmpty())
            break;
        txtFilter->addItem(entry);
    }
    // Adding items must not put one of them into the box (no current item: an empty box).
    txtFilter->setCurrentIndex(-1);
    InitMenus();
    setWindowTitle(kTitle);
    if (mnuDirectSave->isChecked())
        enterCompactMode(MainLayout::compactHeightAtStart);
}

QRectF frmMain::outerGeometryTwips() const
{
    return placement_->outerGeometry();
}

void frmMain::setOuterGeometry(const QRectF &twips)
{
    placement_->setOuterGeometry(twips);
}

void frmMain::RestorePlacement()
{
    placement_->restore();
}

void frmMain::enterCompactMode(double height)
{
    // The frame the window returns to, not the maximised one: leaving the
    // maximised state first keeps the width the user had.
    QRectF outer = placement_->normalOuterGeometry();
    setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen));
    outer.setHeight(height);
    setOuterGeometry(outer);
}

void frmMain::Form_Unload()
{
    placement_->save();
    for (int i = 0; i < txtFilter->count(); ++i)
        settings_.save(kList, QString::number(i), txtFilter->itemText(i));
}

void frmMain::closeEvent(QCloseEvent *)
{
    // A close event arrives accepted: the window always closes.
    if (!ending_)
        Form_Unload();
}

void frmMain::endProgram()
{
    // Ends at once: no placement or history is saved, no other window asked.
    ending_ = true;
    hide();
    QCoreApplication::exit(0);
}

void frmMain::yieldToEvents()
{
    QCoreApplication::processEvents();
    if (ending_)
        throw ProgramEnded();
}

void frmMain::mnuExit_Click()
{
    endProgram();
}

void frmMain::Form_KeyPress(ushort &KeyAscii)
{
    if (KeyAscii != 27)
        return;
    if (dialogs_.askYesNo(this, QStringLiteral("Do you want to close ") + kTitle + QStringLiteral("?"), kTitle))
        endProgram();
    KeyAscii = 0;
}

void frmMain::resizeEvent(QResizeEvent *)
{
    Form_Resize();
}

void frmMain::Form_Resize()
{
    const QSize area = client->size();
    MainLayout::layoutPass(layout_, Twips::fromPixels(area.width()), Twips::fromPixels(area.height()),
                           mnuDirectSave->isChecked());
    applyLayout();
}

void frmMain::applyLayout()
{
    txtFilter->setGeometry(Twips::toPixels(layout_.txtFilter));
    cmdGo->setGeometry(Twips::toPixels(layout_.cmdGo));
    // In direct-save mode the pass leaves the list and the status strip
    // where they were, below the window's short bottom edge.
    client->setFrameVisible(!mnuDirectSave->isChecked());
    txtNames->setGeometry(Twips::toPixels(layout_.txtNames));
    lblStatus->setGeometry(Twips::toPixels(layout_.lblStatus));
    picProgBar->setGeometry(Twips::toPixels(layout_.picProgBar));
    cmdSelAll->setGeometry(Twips::toPixels(layout_.cmdSelAll));
    cmdSelNone->setGeometry(Twips::toPixels(layout_.cmdSelNone));
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    // Every event of the application passes here; most leave at once.
    const QEvent::Type type = event->type();
    if ((type != QEvent::KeyPress && type != QEvent::FocusIn) || !watched->isWidgetType()
        || static_cast<QWidget *>(watched)->window() != this)
        return false;
    // Keys of the menu bar's keyboard mode are the menu's own: the Esc that
    // leaves it must not ask whether to quit.
    if (qobject_cast<QMenuBar *>(watched))
        return false;
    // Focus coming back with the window (after a message box, say) or after
    // a run is not the user moving it, and leaves the bottom strip as it was.
    if (type == QEvent::FocusIn
        && (restoringFocus_ || static_cast<QFocusEvent *>(event)->reason() == Qt::ActiveWindowFocusReason))
        return false;
    const bool isFilter = watched == txtFilter || watched == txtFilter->lineEdit();
    if (type == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        // Only Esc and Enter have handlers; every other key goes on untouched.
        if (key != Qt::Key_Escape && key != Qt::Key_Return && key != Qt::Key_Enter)
            return false;
        ushort code = key == Qt::Key_Escape ? 27 : 13;
        Form_KeyPress(code);
        if (isFilter) // a key the form took comes as 0, which the box ignores
            txtFilter_KeyPress(code);
        return code == 0;
    }
    if (isFilter)
        txtFilter_GotFocus();
    else if (watched == cmdGo)
        cmdGo_GotFocus();
    else if (watched == txtNames || watched == txtNames->viewport())
        txtNames_GotFocus();
    return false;
}

int runVarnock()
{
    return runProgram<frmMain>({kTitle, QStringLiteral("org.varnock.Varnock"), AppIcons::varnock()});
}
