#include "shell/frmMain.h"

#include "shell/ClientArea.h"
#include "shell/FileTables.h"
#include "shell/MenuShortcuts.h"
#include "shell/ProgressBox.h"
#include "shell/SettingsStore.h"
#include "shell/Twips.h"
#include "shell/WindowPlacement.h"
#include "wordlist/WordListDelegate.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QPushButton>
#include <QStringListModel>

frmMain::frmMain(SettingsStore &settings, RandomSource &random, Dialogs &dialogs, QWidget *parent)
    : QMainWindow(parent)
    , settings_(settings)
    , random_(random)
    , dialogs_(dialogs)
    , files_(std::make_unique<FileTables>())
{
    setObjectName(QStringLiteral("frmMain"));
    placement_ = new WindowPlacement(this, settings_, VarnockSettings::MainWindow);
    createControls();
    createMenus();
    // Key preview: the window sees every key before the focused control.
    qApp->installEventFilter(this);
    Form_Load();
}

// The application drops the key-preview filter by itself when the window goes.
frmMain::~frmMain() = default;

namespace {

template <typename W>
W *named(W *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

void frmMain::createControls()
{
    client = named(new ClientArea(layout_, this), "client");
    setCentralWidget(client);

    txtFilter = named(new QComboBox(client), "txtFilter");
    txtFilter->setAccessibleName(tr("Sample word or filter"));
    txtFilter->setEditable(true);
    giveMenuShortcutsPriority(txtFilter->lineEdit(), this);
    // The history is kept by txtFilter_KeyPress, not by the box itself: the
    // event filter takes the Enter before the box could insert anything.
    // Completing from the history would change a typed sample behind the
    // user's back ("Ma" becoming "Marion").
    txtFilter->setCompleter(nullptr);

    cmdGo = named(new QPushButton(tr("Rnd"), client), "cmdGo");
    cmdGo->setAccessibleName(tr("Random filter"));
    cmdGo->setToolTip(tr("Click here for a random filter"));

    namesModel = named(new QStringListModel(this), "namesModel");
    txtNames = named(new QListView(client), "txtNames");
    txtNames->setAccessibleName(tr("Generated words"));
    txtNames->setModel(namesModel);
    txtNames->setUniformItemSizes(true);
    txtNames->setItemDelegate(new WordListDelegate(txtNames));
    txtNames->setSelectionMode(QAbstractItemView::ExtendedSelection);
    txtNames->setEditTriggers(QAbstractItemView::NoEditTriggers);

    lblStatus = named(new QLabel(tr("Varnock ready."), client), "lblStatus");

    picProgBar = named(new ProgressBox(client), "picProgBar");
    picProgBar->hide();
    cmdSelAll = named(new QPushButton(tr("Select all"), picProgBar), "cmdSelAll");
    cmdSelAll->setAccessibleName(tr("Select all words"));
    cmdSelNone = named(new QPushButton(tr("Select none"), picProgBar), "cmdSelNone");
    cmdSelNone->setAccessibleName(tr("Select no words"));
    cmdSelAll->hide();
    cmdSelNone->hide();

    // The creation order is the tab order; the status label and box take no focus.
    cmdGo->setFocus();

    connect(cmdGo, &QPushButton::clicked, this, &frmMain::cmdGo_Click);
    connect(cmdSelAll, &QPushButton::clicked, this, &frmMain::cmdSelAll_Click);
    connect(cmdSelNone, &QPushButton::clicked, this, &frmMain::cmdSelNone_Click);
}

QAction *frmMain::addItem(QMenu *menu, const char *name, const QString &caption, const QKeySequence &shortcut,
                          void (frmMain::*handler)())
{
    QAction *item = named(menu->addAction(caption), name);
    item->setShortcut(shortcut);
    connect(item, &QAction::triggered, this, handler);
    return item;
}

void frmMain::createMenus()
{
    QMenuBar *bar = menuBar();
    const auto ctrl = [](Qt::Key key) { return QKeySequence(Qt::CTRL | key); };

    mnuFile = named(bar->addMenu(tr("&File")), "mnuFile");
    mnuGenerate = addItem(mnuFile, "mnuGenerate", tr("&Generate words"), {}, &frmMain::mnuGenerate_Click);
    mnuVarnock = addItem(mnuFile, "mnuVarnock", tr("O&pen Varnock file..."), ctrl(Qt::Key_W), &frmMain::mnuVarnock_Click);
    mnuOpen = addItem(mnuFile, "mnuOpen", tr("&Open rules file..."), ctrl(Qt::Key_O), &frmMain::mnuOpen_Click);
    mnuFile->addSeparator();
    mnuGenetic = addItem(mnuFile, "mnuGenetic", tr("G&enetic creator..."), ctrl(Qt::Key_E), &frmMain::mnuGenetic_Click);
    mnuFile->addSeparator();
    mnuCopy = addItem(mnuFile, "mnuCopy", tr("&Copy to clipboard"), ctrl(Qt::Key_G), &frmMain::mnuCopy_Click);
    mnuSave = addItem(mnuFile, "mnuSave", tr("&Save words..."), ctrl(Qt::Key_S), &frmMain::mnuSave_Click);
    mnuFile->addSeparator();
    mnuExit = addItem(mnuFile, "mnuExit", tr("E&xit"), ctrl(Qt::Key_X), &frmMain::mnuExit_Click);

    mnuOptions = named(bar->addMenu(tr("&Options")), "mnuOptions");
    mnuDirectSave = addItem(mnuOptions, "mnuDirectSave", tr("&Direct save..."), ctrl(Qt::Key_D), &frmMain::mnuDirectSave_Click);
    mnuOperation = named(mnuOptions->addMenu(tr("&Operation")), "mnuOperation");
    mnuFast = addItem(mnuOperation, "mnuFast", tr("&Fast mode"), ctrl(Qt::Key_F), &frmMain::mnuFast_Click);
    mnuCase = addItem(mnuOperation, "mnuCase", tr("&Match case"), ctrl(Qt::Key_M), &frmMain::mnuCase_Click);
    mnuOperation->addSeparator();
    mnuClearList = addItem(mnuOperation, "mnuClearList", tr("Clear list"), ctrl(Qt::Key_L), &frmMain::mnuClearList_Click);
    mnuGeneration = named(mnuOptions->addMenu(tr("&Generation")), "mnuGeneration");
    mnuReality = addItem(mnuGeneration, "mnuReality", tr("&Reality mode"), ctrl(Qt::Key_R), &frmMain::mnuReality_Click);
    mnuDiphthongi = addItem(mnuGeneration, "mnuDiphthongi", tr("&Use diphthongi"), ctrl(Qt::Key_U), &frmMain::mnuDiphthongi_Click);
    mnuMutations = addItem(mnuGeneration, "mnuMutations", tr("Mu&tations..."), ctrl(Qt::Key_T), &frmMain::mnuMutations_Click);
    mnuSort = addItem(mnuOptions, "mnuSort", tr("&Sort alphabetically"), ctrl(Qt::Key_Q), &frmMain::mnuSort_Click);
    mnuKillDupes = addItem(mnuOptions, "mnuKillDupes", tr("&Erase duplicates"), ctrl(Qt::Key_J), &frmMain::mnuKillDupes_Click);
    mnuOptions->addSeparator();
    mnuGendWords = named(mnuOptions->addMenu(tr("&Generated words")), "mnuGendWords");
    mnuNoOfWords = addItem(mnuGendWords, "mnuNoOfWords", tr("&Varnock..."), {}, &frmMain::mnuNoOfWords_Click);
    mnuGeneticWords = addItem(mnuGendWords, "mnuGeneticWords", tr("Genetic &creator..."), {}, &frmMain::mnuGeneticWords_Click);

    mnuHelp = named(bar->addMenu(tr("&Help")), "mnuHelp");
    mnuAbout = addItem(mnuHelp, "mnuAbout", tr("&About..."), {}, &frmMain::mnuAbout_Click);

    // The option items; their marks come from the settings as the window loads.
    for (QAction *item : {mnuDirectSave, mnuFast, mnuCase, mnuReality, mnuDiphthongi, mnuSort, mnuKillDupes})
        item->setCheckable(true);

    for (QMenu *menu : {mnuFile, mnuOptions, mnuHelp}) {
        auto *items = new QActionGroup(menu);
        items->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
        addItemsTo(items, menu);
        menuItems_ << items;
    }

    connect(mnuFile, &QMenu::aboutToShow, this, &frmMain::mnuFile_Click);
    connect(mnuOptions, &QMenu::aboutToShow, this, &frmMain::mnuOptions_Click);
    connect(mnuHelp, &QMenu::aboutToShow, this, &frmMain::mnuHelp_Click);
}

void frmMain::addItemsTo(QActionGroup *items, QMenu *menu)
{
    for (QAction *item : menu->actions()) {
        if (item->isSeparator())
            continue;
        if (QMenu *sub = item->menu())
            addItemsTo(items, sub);
        items->addAction(item);
    }
}

void frmMain::mnuFile_Click() { txtFilter->setFocus(); }
void frmMain::mnuOptions_Click() { txtFilter->setFocus(); }
void frmMain::mnuHelp_Click() { txtFilter->setFocus(); }

void frmMain::DrawProgress(float fraction, const QString &caption)
{
    picProgBar->drawProgress(fraction, caption);
}
