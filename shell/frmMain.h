#pragma once

#include "engine/GenerateNames.h"
#include "engine/WordArray.h"
#include "shell/Dialogs.h"
#include "shell/MainLayout.h"

#include <QMainWindow>
#include <QPair>
#include <QPointer>
#include <memory>

class QAction;
class QActionGroup;
class QComboBox;
class QLabel;
class QListView;
class QMenu;
class QPushButton;
class QStringListModel;
class ClientArea;
class ProgressBox;
class RandomSource;
class SettingsStore;
class PatternSections;
struct FileTables;
class WindowPlacement;

// The main window of Varnock. Controls and actions carry their names as
// objectName, so tests and other windows find them with findChild.
//
// Option flags live only in the check marks of their actions and the
// direct-save path only in mnuDirectSave->data(). Checkable actions are
// already inverted by Qt when their click handler runs.
class frmMain : public QMainWindow {
    Q_OBJECT

public:
    frmMain(SettingsStore &settings, RandomSource &random, Dialogs &dialogs, QWidget *parent = nullptr);
    ~frmMain() override;

    SettingsStore &settings() const { return settings_; }
    RandomSource &random() const { return random_; }
    Dialogs &dialogs() const { return dialogs_; }

    // The words of the last run at 1..N; index 0 is never a word.
    WordArray &words() { return WordArray_; }

    // Redraws the whole progress box at once, even while the caller keeps
    // the thread busy.
    void DrawProgress(float fraction, const QString &caption);
    // Disables (false) or enables (true) the menus and input controls.
    void EnableControls(bool enable);
    // Sorts and thins WordArray as the options say, then fills the list or
    // writes the direct-save file, and gives the controls back.
    void PopulateList();

    // The open-file dialog over this window, starting in the program's
    // folder with the first filter pair selected; "" when cancelled.
    QString ShowOpenDialog(const Dialogs::FilterPairs &Filter, const QString &DefaultExt, const QString &Title);

    // The tables of the last pattern or rules file read (sources/).
    const PatternSections &patternSections() const;

    // The option flags of a run, read from their check marks.
    GenerationOptions generationOptions() const;

    // True once Exit (or Esc answered Yes) has ended the program.
    bool isEnding() const { return ending_; }

    // Twip geometry of the last layout pass, for the painting and the tests.
    const MainLayout::Geometry &layoutGeometry() const { return layout_; }

public Q_SLOTS:
    // Generation (sources/)
    void mnuGenerate_Click();
    void cmdGo_Click();
    void txtFilter_GotFocus();
    void cmdGo_GotFocus();
    void mnuVarnock_Click();
    void mnuOpen_Click();

    // Word list (wordlist/)
    void mnuSave_Click();
    void mnuDirectSave_Click();
    void mnuCopy_Click();
    void cmdSelAll_Click();
    void cmdSelNone_Click();
    void txtNames_GotFocus();
    void mnuClearList_Click();

    // Genetic creator and About box
    void mnuGenetic_Click();
    void mnuGeneticWords_Click();
    void mnuMutations_Click();
    void mnuAbout_Click();

    // Options (shell/)
    void mnuFast_Click();
    void mnuCase_Click();
    void mnuReality_Click();
    void mnuDiphthongi_Click();
    void mnuSort_Click();
    void mnuKillDupes_Click();
    void mnuNoOfWords_Click();

    // Window (shell/)
    void mnuExit_Click();
    void mnuFile_Click();
    void mnuOptions_Click();
    void mnuHelp_Click();

public:
    // Key handlers take the character code by reference; 0 swallows the key.
    void Form_KeyPress(ushort &KeyAscii);
    void txtFilter_KeyPress(ushort &KeyAscii);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void createControls();
    void createMenus();
    QAction *addItem(QMenu *menu, const char *name, const QString &caption, const QKeySequence &shortcut,
                     void (frmMain::*handler)());
    static void addItemsTo(QActionGroup *items, QMenu *menu);
    void Form_Load();
    void Form_Unload();
    void Form_Resize();
    void RestorePlacement();
    void InitMenus();
    void endProgram();
    // Processes pending window events in the middle of a run. Once they
    // have ended the program it throws ProgramEnded, which the command
    // catches, so the run stops there and writes nothing more.
    struct ProgramEnded {};
    void yieldToEvents();
    void showGenerateError(int number, const QString &description);
    void runFromFile(const QString &status, const std::function<void(qint64, const GenerationHooks &)> &generate);
    void reportFailure(const QString &text);
    // The run's status in the strip and the bar over it, without the panel's buttons.
    void showRunStatus(const QString &status);
    QString proposeWordFile(const QString &filter, const QString &title);
    void setSelectedAll(bool selected);
    void fillList();
    void writeDirectSave();
    void rememberFocus();
    void restoreFocus();
    void applyLayout();
    QRectF outerGeometryTwips() const;
    void setOuterGeometry(const QRectF &twips);
    // Leaves the maximised or minimised state, then gives the outer frame
    // the height of direct-save mode.
    void enterCompactMode(double height);

    SettingsStore &settings_;
    RandomSource &random_;
    Dialogs &dialogs_;
    WordArray WordArray_{QString()};
    std::unique_ptr<FileTables> files_;
    MainLayout::Geometry layout_;
    bool ending_ = false;
    bool restoringFocus_ = false;
    WindowPlacement *placement_ = nullptr;
    QList<QActionGroup *> menuItems_;
    QPointer<QWidget> focusBeforeRun_;
    QPair<int, int> selectionBeforeRun_;

public:
    // Controls
    ClientArea *client = nullptr;
    QComboBox *txtFilter = nullptr;
    QPushButton *cmdGo = nullptr;
    QListView *txtNames = nullptr;
    QStringListModel *namesModel = nullptr;
    QLabel *lblStatus = nullptr;
    ProgressBox *picProgBar = nullptr;
    QPushButton *cmdSelAll = nullptr;
    QPushButton *cmdSelNone = nullptr;

    // Menus and their items
    QMenu *mnuFile = nullptr;
    QMenu *mnuOptions = nullptr;
    QMenu *mnuOperation = nullptr;
    QMenu *mnuGeneration = nullptr;
    QMenu *mnuGendWords = nullptr;
    QMenu *mnuHelp = nullptr;
    QAction *mnuGenerate = nullptr;
    QAction *mnuVarnock = nullptr;
    QAction *mnuOpen = nullptr;
    QAction *mnuGenetic = nullptr;
    QAction *mnuCopy = nullptr;
    QAction *mnuSave = nullptr;
    QAction *mnuExit = nullptr;
    QAction *mnuDirectSave = nullptr;
    QAction *mnuFast = nullptr;
    QAction *mnuCase = nullptr;
    QAction *mnuClearList = nullptr;
    QAction *mnuReality = nullptr;
    QAction *mnuDiphthongi = nullptr;
    QAction *mnuMutations = nullptr;
    QAction *mnuSort = nullptr;
    QAction *mnuKillDupes = nullptr;
    QAction *mnuNoOfWords = nullptr;
    QAction *mnuGeneticWords = nullptr;
    QAction *mnuAbout = nullptr;
};

// Starts Varnock in the running application and returns when it ends.
int runVarnock();
