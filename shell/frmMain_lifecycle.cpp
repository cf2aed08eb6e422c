// Start-up, placement, closing, the layout pass and key preview.
#include "shell/frmMain.h"

#include "engine/RandomSource.h"
#include "shell/ClientArea.h"
#include "shell/Dialogs.h"
#include "shell/Placement.h"
#include "shell/ProgressBox.h"
#include "shell/SettingsStore.h"
#include "shell/Twips.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScreen>

namespace {

const QString kWindow = QStringLiteral("Window");
const QString kList = QStringLiteral("List");
const QString kTitle = QStringLiteral("Varnock");

QRect pixelRect(const QRectF &twips)
{
    return QRect(Twips::toPixels(twips.left()), Twips::toPixels(twips.top()), Twips::toPixels(twips.width()),
                 Twips::toPixels(twips.height()));
}

QRectF twipRect(const QRect &pixels)
{
    return QRectF(Twips::fromPixels(pixels.left()), Twips::fromPixels(pixels.top()), Twips::fromPixels(pixels.width()),
                  Twips::fromPixels(pixels.height()));
}

} // namespace

void frmMain::Form_Load()
{
    random_.reseedFromClock();
    RestorePlacement();
    // The index is a 16-bit number, so at most 32767 entries come back.
    for (int i = 0; i <= 32767; ++i) {
        const QString entry = settings_.get(kList, QString::number(i), QString());
        if (entry.isEmpty())
            break;
        txtFilter->addItem(entry);
    }
    // Adding items must not put one of them into the box.
    txtFilter->setCurrentIndex(-1);
    txtFilter->setEditText(QString());
    InitMenus();
    setWindowTitle(kTitle);
    if (mnuDirectSave->isChecked()) {
        setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen));
        setOuterGeometry(QRectF(outerGeometryTwips().topLeft(),
                                QSizeF(outerGeometryTwips().width(), MainLayout::compactHeightAtStart)));
    }
}

QRectF frmMain::outerGeometryTwips() const
{
    return twipRect(frameGeometry());
}

void frmMain::setOuterGeometry(const QRectF &twips)
{
    // The frame is known once the window is shown; until then it counts as
    // none, and showEvent applies the geometry again.
    if (!isVisible())
        pendingOuter_ = twips;
    const QSize frame = frameGeometry().size() - size();
    const QRect outer = pixelRect(twips);
    resize((outer.size() - frame).expandedTo(QSize(1, 1)));
    move(outer.topLeft());
}

void frmMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (pendingOuter_.isValid() && !(windowState() & (Qt::WindowMaximized | Qt::WindowMinimized))) {
        const QRectF outer = pendingOuter_;
        pendingOuter_ = QRectF();
        setOuterGeometry(outer);
    }
}

void frmMain::RestorePlacement()
{
    const double state = Placement::storedNumber(settings_.get(kWindow, QStringLiteral("WindowState"), QStringLiteral("2")), 2);
    if (state == 2) {
        // The designed size, centred, is what the window returns to when it
        // is restored (or when no window manager maximises it).
        setOuterGeometry(centredOnScreen(MainLayout::designOuterWidth, MainLayout::designOuterHeight));
        setWindowState(Qt::WindowMaximized);
        return;
    }
    const auto stored = [this](const char *key, double fallback) {
        return float(Placement::storedNumber(settings_.get(kWindow, QString::fromLatin1(key), QString()), fallback));
    };
    // A size of nothing (or less) is as unusable as no number at all.
    const auto size = [&stored](const char *key, double fallback) {
        const float value = stored(key, fallback);
        return value > 0 ? value : float(fallback);
    };
    const float height = size("Height", MainLayout::designOuterHeight);
    const float width = size("Width", MainLayout::designOuterWidth);
    const QRectF centred = centredOnScreen(width, height);
    const float top = stored("Top", centred.top());
    const float left = stored("Left", centred.left());

    QList<QRectF> screens;
    for (QScreen *s : QGuiApplication::screens())
        screens << twipRect(s->availableGeometry());
    setOuterGeometry(Placement::keepOnScreen(QRectF(left, top, width, height), screens));
}

QRectF frmMain::centredOnScreen(double width, double height) const
{
    QScreen *screen = QGuiApplication::primaryScreen();
    const QRectF area = screen ? twipRect(screen->geometry()) : QRectF();
    return QRectF(area.width() / 2 - width / 2, area.height() / 2 - height / 2, width, height);
}

void frmMain::Form_Unload()
{
    int state = 0;
    if (windowState() & Qt::WindowMinimized)
        state = 1;
    else if (windowState() & Qt::WindowMaximized)
        state = 2;
    const QRectF outer = outerGeometryTwips();
    settings_.save(kWindow, QStringLiteral("WindowState"), QString::number(state));
    settings_.save(kWindow, QStringLiteral("Height"), QString::number(outer.height()));
    settings_.save(kWindow, QStringLiteral("Width"), QString::number(outer.width()));
    settings_.save(kWindow, QStringLiteral("Top"), QString::number(outer.top()));
    settings_.save(kWindow, QStringLiteral("Left"), QString::number(outer.left()));
    for (int i = 0; i < txtFilter->count(); ++i)
        settings_.save(kList, QString::number(i), txtFilter->itemText(i));
}

void frmMain::closeEvent(QCloseEvent *event)
{
    if (!ending_)
        Form_Unload();
    event->accept();
}

void frmMain::endProgram()
{
    // Ends at once: no placement or history is saved, no other window asked.
    ending_ = true;
    hide();
    QCoreApplication::exit(0);
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

void frmMain::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

void frmMain::Form_Resize()
{
    const QSize area = client->size();
    MainLayout::layoutPass(layout_, Twips::fromPixels(area.width()), Twips::fromPixels(area.height()),
                           mnuDirectSave->isChecked());
    applyLayout();
}

void frmMain::LayoutStatusBar(const qint32 &Left, const qint32 &Top, const qint32 &Width)
{
    MainLayout::layoutStatusBar(layout_, Left, Top, Width);
    applyLayout();
}

void frmMain::applyLayout()
{
    txtFilter->setGeometry(pixelRect(layout_.txtFilter));
    cmdGo->setGeometry(pixelRect(layout_.cmdGo));
    const bool compact = mnuDirectSave->isChecked();
    client->setFrameVisible(!compact);
    if (compact)
        return;
    txtNames->setGeometry(pixelRect(layout_.txtNames));
    lblStatus->setGeometry(pixelRect(layout_.lblStatus));
    picProgBar->setGeometry(pixelRect(layout_.picProgBar));
    cmdSelAll->setGeometry(pixelRect(layout_.cmdSelAll));
    cmdSelNone->setGeometry(pixelRect(layout_.cmdSelNone));
    client->update();
}

namespace {

// The character code a key press delivers, 0 for keys without one.
ushort keyAscii(const QKeyEvent *key)
{
    switch (key->key()) {
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    default:
        return key->text().isEmpty() ? 0 : key->text().at(0).unicode();
    }
}

} // namespace

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    // Every event of the application passes here; most leave at once.
    const QEvent::Type type = event->type();
    if ((type != QEvent::KeyPress && type != QEvent::FocusIn) || !watched->isWidgetType()
        || static_cast<QWidget *>(watched)->window() != this)
        return false;
    const bool isFilter = watched == txtFilter || watched == txtFilter->lineEdit();
    if (type == QEvent::KeyPress) {
        ushort code = keyAscii(static_cast<QKeyEvent *>(event));
        if (code == 0)
            return false;
        Form_KeyPress(code);
        if (code != 0 && isFilter)
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
