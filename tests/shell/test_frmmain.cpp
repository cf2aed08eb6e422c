#include "shell/MainLayout.h"
#include "shell/ProgressBox.h"
#include "shell/Twips.h"
#include "support/MainWindowHarness.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QtTest/QtTest>

namespace {

const char *const kOptionItems[] = {"mnuDirectSave", "mnuFast", "mnuCase", "mnuReality",
                                    "mnuDiphthongi", "mnuSort", "mnuKillDupes"};

// Records the keys that reach a widget.
class KeyRecorder : public QObject {
public:
    QList<int> keys;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress)
            keys << static_cast<QKeyEvent *>(event)->key();
        return false;
    }
};

QRect pixels(const QRectF &twips)
{
    return QRect(Twips::toPixels(twips.left()), Twips::toPixels(twips.top()), Twips::toPixels(twips.width()),
                 Twips::toPixels(twips.height()));
}

} // namespace

class TestFrmMain : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void firstStartWithEmptyStore()
    {
        MainWindowHarness h;
        frmMain &w = h.openShown();
        QCOMPARE(w.windowTitle(), QStringLiteral("Varnock"));
        QVERIFY(w.windowState() & Qt::WindowMaximized);
        QCOMPARE(h.child<QLabel>("lblStatus")->text(), QStringLiteral("Varnock ready."));
        auto *filter = h.child<QComboBox>("txtFilter");
        QCOMPARE(filter->count(), 0);
        QCOMPARE(filter->currentText(), QString());

        const QMap<QString, bool> checked{{"mnuDirectSave", false}, {"mnuFast", true}, {"mnuCase", false},
                                          {"mnuReality", true}, {"mnuDiphthongi", true}, {"mnuSort", true},
                                          {"mnuKillDupes", true}};
        for (const char *name : kOptionItems)
            QCOMPARE(h.action(name)->isChecked(), checked.value(QString::fromLatin1(name)));
        QVERIFY(h.action("mnuKillDupes")->isEnabled());
        QVERIFY(h.action("mnuCopy")->isEnabled());
        QVERIFY(h.action("mnuSave")->isEnabled());

        QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (documents.isEmpty())
            documents = QDir::homePath();
        QCOMPARE(h.action("mnuDirectSave")->data().toString(), QDir(documents).filePath("fdkdsfk.txt"));

        // The picture box and its buttons are hidden; Rnd has the focus.
        QVERIFY(h.child<ProgressBox>("picProgBar")->isHidden());
        QVERIFY(h.child<QPushButton>("cmdSelAll")->isHidden());
        QVERIFY(h.child<QPushButton>("cmdSelNone")->isHidden());
        QTRY_COMPARE(QApplication::focusWidget(), h.child<QPushButton>("cmdGo"));

        // Defaults are never written just because they were used.
        QCOMPARE(h.storedKeys(), QStringList());
    }

    void menuTree_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("shortcut");
        QTest::addColumn<bool>("checkable");
        const auto row = [](const char *name, const char *menu, const char *caption, const char *shortcut,
                            bool checkable = false) {
            QTest::newRow(name) << name << menu << caption << shortcut << checkable;
        };
        row("mnuGenerate", "mnuFile", "&Generate words", "");
        row("mnuVarnock", "mnuFile", "O&pen Varnock file...", "Ctrl+W");
        row("mnuOpen", "mnuFile", "&Open rules file...", "Ctrl+O");
        row("mnuGenetic", "mnuFile", "G&enetic creator...", "Ctrl+E");
        row("mnuCopy", "mnuFile", "&Copy to clipboard", "Ctrl+G");
        row("mnuSave", "mnuFile", "&Save words...", "Ctrl+S");
        row("mnuExit", "mnuFile", "E&xit", "Ctrl+X");
        row("mnuDirectSave", "mnuOptions", "&Direct save...", "Ctrl+D", true);
        row("mnuFast", "mnuOperation", "&Fast mode", "Ctrl+F", true);
        row("mnuCase", "mnuOperation", "&Match case", "Ctrl+M", true);
        row("mnuClearList", "mnuOperation", "Clear list", "Ctrl+L");
        row("mnuReality", "mnuGeneration", "&Reality mode", "Ctrl+R", true);
        row("mnuDiphthongi", "mnuGeneration", "&Use diphthongi", "Ctrl+U", true);
        row("mnuMutations", "mnuGeneration", "Mu&tations...", "Ctrl+T");
        row("mnuSort", "mnuOptions", "&Sort alphabetically", "Ctrl+Q", true);
        row("mnuKillDupes", "mnuOptions", "&Erase duplicates", "Ctrl+J", true);
        row("mnuNoOfWords", "mnuGendWords", "&Varnock...", "");
        row("mnuGeneticWords", "mnuGendWords", "Genetic &creator...", "");
        row("mnuAbout", "mnuHelp", "&About...", "");
    }
    void menuTree()
    {
        QFETCH(QString, name);
        QFETCH(QString, menu);
        QFETCH(QString, caption);
        QFETCH(QString, shortcut);
        QFETCH(bool, checkable);
        MainWindowHarness h;
        frmMain &w = h.open();
        QAction *item = h.action(qPrintable(name));
        QCOMPARE(item->text(), caption);
        QCOMPARE(item->shortcut().toString(QKeySequence::PortableText), shortcut);
        QCOMPARE(item->isCheckable(), checkable);
        auto *parent = w.findChild<QMenu *>(menu);
        QVERIFY(parent);
        QVERIFY(parent->actions().contains(item));
    }

    void menuTitlesAndOrder()
    {
        MainWindowHarness h;
        frmMain &w = h.open();
        QStringList titles;
        for (QAction *a : w.menuBar()->actions())
            titles << a->text();
        QCOMPARE(titles, (QStringList{"&File", "&Options", "&Help"}));
        QStringList options;
        for (QAction *a : w.findChild<QMenu *>("mnuOptions")->actions())
            options << (a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(options, (QStringList{"&Direct save...", "&Operation", "&Generation", "&Sort alphabetically",
                                       "&Erase duplicates", "-", "&Generated words"}));
        QStringList file;
        for (QAction *a : w.findChild<QMenu *>("mnuFile")->actions())
            file << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
        QCOMPARE(file, (QStringList{"mnuGenerate", "mnuVarnock", "mnuOpen", "-", "mnuGenetic", "-", "mnuCopy",
                                    "mnuSave", "-", "mnuExit"}));
    }

    void storedFlags_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("item");
        QTest::addColumn<bool>("expected");
        QTest::newRow("FastMode False") << "FastMode" << "False" << "mnuFast" << false;
        QTest::newRow("Case true") << "Case" << "true" << "mnuCase" << true;
        QTest::newRow("Case TRUE") << "Case" << "TRUE" << "mnuCase" << true;
        QTest::newRow("Case 1") << "Case" << "1" << "mnuCase" << true;
        QTest::newRow("Case -1") << "Case" << "-1" << "mnuCase" << true;
        QTest::newRow("RealityMode 0") << "RealityMode" << "0" << "mnuReality" << false;
        QTest::newRow("UseDiphthongi fAlSe") << "UseDiphthongi" << "fAlSe" << "mnuDiphthongi" << false;
        QTest::newRow("KillDupes False") << "KillDupes" << "False" << "mnuKillDupes" << false;
        QTest::newRow("Sort junk keeps default") << "Sort" << "maybe" << "mnuSort" << true;
    }
    void storedFlags()
    {
        QFETCH(QString, key);
        QFETCH(QString, text);
        QFETCH(QString, item);
        QFETCH(bool, expected);
        MainWindowHarness h({{"Options/" + key, text}});
        h.open();
        QCOMPARE(h.action(qPrintable(item))->isChecked(), expected);
    }

    void sortOffDisablesEraseKeepingItsMark()
    {
        MainWindowHarness h({{"Options/Sort", "False"}, {"Options/KillDupes", "True"}});
        h.open();
        QAction *sort = h.action("mnuSort");
        QAction *kill = h.action("mnuKillDupes");
        QVERIFY(!sort->isChecked());
        QVERIFY(!kill->isEnabled());
        QVERIFY(kill->isChecked());

        sort->trigger();
        QCOMPARE(h.stored("Options", "Sort"), QStringLiteral("True"));
        QVERIFY(kill->isEnabled());
        sort->trigger();
        QCOMPARE(h.stored("Options", "Sort"), QStringLiteral("False"));
        QVERIFY(!kill->isEnabled());
        QVERIFY(kill->isChecked());
    }

    void togglesWriteAtOnce_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("first");
        QTest::newRow("fast") << "mnuFast" << "FastMode" << "False";
        QTest::newRow("case") << "mnuCase" << "Case" << "True";
        QTest::newRow("reality") << "mnuReality" << "RealityMode" << "False";
        QTest::newRow("diphthongi") << "mnuDiphthongi" << "UseDiphthongi" << "False";
        QTest::newRow("sort") << "mnuSort" << "Sort" << "False";
        QTest::newRow("kill dupes") << "mnuKillDupes" << "KillDupes" << "False";
    }
    void togglesWriteAtOnce()
    {
        QFETCH(QString, item);
        QFETCH(QString, key);
        QFETCH(QString, first);
        MainWindowHarness h;
        h.open();
        QAction *action = h.action(qPrintable(item));
        const bool before = action->isChecked();
        action->trigger();
        QCOMPARE(action->isChecked(), !before);
        QCOMPARE(h.stored("Options", key), first);
        QCOMPARE(h.storedKeys(), QStringList{"Options/" + key});
        action->trigger();
        QCOMPARE(action->isChecked(), before);
        QCOMPARE(h.stored("Options", key), first == u"True" ? QStringLiteral("False") : QStringLiteral("True"));
    }

    void shortcutTogglesThroughKeyboard()
    {
        MainWindowHarness h;
        frmMain &w = h.openShown();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTest::keyClick(h.child<QPushButton>("cmdGo"), Qt::Key_M, Qt::ControlModifier);
        QVERIFY(h.action("mnuCase")->isChecked());
        QCOMPARE(h.stored("Options", "Case"), QStringLiteral("True"));
    }

    void directSaveStoredAtStart()
    {
        MainWindowHarness h({{"Options/DirectSave", "True"}, {"Options/DirectSaveFile", "/tmp/x.txt"},
                             {"Window/WindowState", "2"}});
        frmMain &w = h.openShown();
        QVERIFY(h.action("mnuDirectSave")->isChecked());
        QCOMPARE(h.action("mnuDirectSave")->data().toString(), QStringLiteral("/tmp/x.txt"));
        QVERIFY(!h.action("mnuCopy")->isEnabled());
        QVERIFY(!h.action("mnuSave")->isEnabled());
        QVERIFY(!(w.windowState() & Qt::WindowMaximized));
        QCOMPARE(w.frameGeometry().height(), Twips::toPixels(MainLayout::compactHeightAtStart));
    }

    void numberOfWordsDialog_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("prefill");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("message");
        QTest::newRow("250") << "" << "250" << "500" << "250" << "";
        QTest::newRow("40000 capped") << "" << "40000" << "500" << "30000"
                                      << "You cannot generate more than 30000 words.";
        QTest::newRow("30000") << "" << "30000" << "500" << "30000" << "";
        QTest::newRow("30000.5 rounds down") << "" << "30000.5" << "500" << "30000" << "";
        QTest::newRow("12.5 to even") << "" << "12.5" << "500" << "12" << "";
        QTest::newRow("13.5 to even") << "" << "13.5" << "500" << "14" << "";
        QTest::newRow("blanks 75 word") << "" << "  75 abc" << "500" << "75" << "";
        QTest::newRow("1e3") << "" << "1e3" << "500" << "1000" << "";
        QTest::newRow("beyond 32 bits") << "" << "1e12" << "500" << "30000"
                                        << "You cannot generate more than 30000 words.";
        QTest::newRow("letters") << "" << "lots" << "500" << "<absent>" << "";
        QTest::newRow("empty or cancel") << "" << "" << "500" << "<absent>" << "";
        QTest::newRow("zero") << "120" << "0" << "120" << "120" << "";
        QTest::newRow("-3 refused") << "" << "-3" << "500" << "<absent>"
                                    << "The number of words cannot be negative.";
        QTest::newRow("stored letters prefill 0") << "many" << "" << "0" << "many" << "";
        QTest::newRow("stored 12.5 prefill") << "12.5" << "7" << "12.5" << "7" << "";
    }
    void numberOfWordsDialog()
    {
        QFETCH(QString, stored);
        QFETCH(QString, answer);
        QFETCH(QString, prefill);
        QFETCH(QString, expected);
        QFETCH(QString, message);
        QMap<QString, QString> initial;
        if (!stored.isEmpty())
            initial.insert("Options/HowMany", stored);
        MainWindowHarness h(initial);
        h.open();
        h.dialogs.inputAnswers.push_back(answer);
        h.action("mnuNoOfWords")->trigger();

        QVERIFY(!h.dialogs.shown.isEmpty());
        const auto &box = h.dialogs.shown.first();
        QCOMPARE(box.kind, QStringLiteral("input"));
        QCOMPARE(box.text, QStringLiteral("How many words do you want the program to generate?"));
        QCOMPARE(box.title, QStringLiteral("Enter number of words"));
        QCOMPARE(box.defaultText, prefill);
        QCOMPARE(h.stored("Options", "HowMany"), expected);
        if (message.isEmpty()) {
            QCOMPARE(h.dialogs.shown.size(), 1);
        } else {
            QCOMPARE(h.dialogs.messages(), QStringList{message});
            QCOMPARE(h.dialogs.shown.last().title, QStringLiteral("Varnock"));
        }
    }

    void placementRestored_data()
    {
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("top");
        QTest::addColumn<QString>("left");
        QTest::addColumn<bool>("maximized");
        QTest::addColumn<QRect>("frame"); // pixels; empty when maximised
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        const int w = Twips::toPixels(4000), hgt = Twips::toPixels(5000);
        QTest::newRow("normal") << "0" << "100" << "200" << false << QRect(13, 7, w, hgt);
        QTest::newRow("minimised comes back normal") << "1" << "100" << "200" << false << QRect(13, 7, w, hgt);
        QTest::newRow("maximised") << "2" << "100" << "200" << true << QRect();
        QTest::newRow("centred without position")
            << "0" << "" << "" << false
            << QRect(Twips::toPixels(Twips::fromPixels(screen.width()) / 2 - 2000),
                     Twips::toPixels(Twips::fromPixels(screen.height()) / 2 - 2500), w, hgt);
        QTest::newRow("top not a number") << "0" << "high" << "200" << false
                                          << QRect(13, Twips::toPixels(Twips::fromPixels(screen.height()) / 2 - 2500), w, hgt);
        QTest::newRow("state not a number maximises") << "x" << "100" << "200" << true << QRect();
        QTest::newRow("off-screen moved back") << "0" << "-90000" << "900000" << false
                                               << QRect(screen.width() - w, 0, w, hgt);
    }
    void placementRestored()
    {
        QFETCH(QString, state);
        QFETCH(QString, top);
        QFETCH(QString, left);
        QFETCH(bool, maximized);
        QFETCH(QRect, frame);
        QMap<QString, QString> stored{{"Window/WindowState", state}, {"Window/Height", "5000"},
                                      {"Window/Width", "4000"}};
        if (!top.isEmpty())
            stored.insert("Window/Top", top);
        if (!left.isEmpty())
            stored.insert("Window/Left", left);
        MainWindowHarness h(stored);
        frmMain &w = h.openShown();
        QCOMPARE(bool(w.windowState() & Qt::WindowMaximized), maximized);
        QVERIFY(!(w.windowState() & Qt::WindowMinimized));
        if (!maximized)
            QCOMPARE(w.frameGeometry(), frame);
    }

    void badSizeFallsBackToDefault_data()
    {
        QTest::addColumn<QString>("height");
        QTest::addColumn<QString>("width");
        QTest::addColumn<QSize>("expected"); // twips
        QTest::newRow("height not a number") << "tall" << "4000" << QSize(4000, 4320);
        QTest::newRow("width empty") << "5000" << "" << QSize(3015, 5000);
        QTest::newRow("zero height") << "0" << "4000" << QSize(4000, 4320);
        QTest::newRow("negative width") << "5000" << "-300" << QSize(3015, 5000);
    }
    void badSizeFallsBackToDefault()
    {
        QFETCH(QString, height);
        QFETCH(QString, width);
        QFETCH(QSize, expected);
        MainWindowHarness h({{"Window/WindowState", "0"}, {"Window/Height", height}, {"Window/Width", width},
                             {"Window/Top", "0"}, {"Window/Left", "0"}});
        frmMain &w = h.openShown();
        QCOMPARE(w.frameGeometry().size(), QSize(Twips::toPixels(expected.width()), Twips::toPixels(expected.height())));
    }

    void closeSavesPlacementAndHistory()
    {
        MainWindowHarness h({{"Window/WindowState", "0"}, {"Window/Height", "6000"}, {"Window/Width", "4500"},
                             {"Window/Top", "300"}, {"Window/Left", "450"}, {"List/3", "old"}});
        frmMain &w = h.openShown();
        auto *filter = h.child<QComboBox>("txtFilter");
        filter->addItem("ma");
        filter->addItem("");
        filter->addItem("lo");
        QVERIFY(w.close());
        QCOMPARE(h.stored("Window", "WindowState"), QStringLiteral("0"));
        QCOMPARE(h.stored("Window", "Height"), QStringLiteral("6000"));
        QCOMPARE(h.stored("Window", "Width"), QStringLiteral("4500"));
        QCOMPARE(h.stored("Window", "Top"), QStringLiteral("300"));
        QCOMPARE(h.stored("Window", "Left"), QStringLiteral("450"));
        QCOMPARE(h.stored("List", "0"), QStringLiteral("ma"));
        QCOMPARE(h.stored("List", "1"), QString());
        QCOMPARE(h.stored("List", "2"), QStringLiteral("lo"));
        QCOMPARE(h.stored("List", "3"), QStringLiteral("old"));

        // The empty entry ends the history at the next start.
        h.window.reset();
        h.open();
        auto *reloaded = h.child<QComboBox>("txtFilter");
        QCOMPARE(reloaded->count(), 1);
        QCOMPARE(reloaded->itemText(0), QStringLiteral("ma"));
        QCOMPARE(reloaded->currentText(), QString());
    }

    void closeWhileMaximisedStoresTwo()
    {
        MainWindowHarness h;
        frmMain &w = h.openShown();
        QVERIFY(w.close());
        QCOMPARE(h.stored("Window", "WindowState"), QStringLiteral("2"));
        QVERIFY(h.stored("Window", "Height").toDouble() > 0);
    }

    void escAnsweredNoSwallowsTheKey()
    {
        MainWindowHarness h;
        frmMain &w = h.openShown();
        auto *filter = h.child<QComboBox>("txtFilter");
        KeyRecorder recorder;
        filter->lineEdit()->installEventFilter(&recorder);
        h.dialogs.yesNoAnswers.push_back(false);
        QTest::keyClick(filter->lineEdit(), Qt::Key_Escape);
        QCOMPARE(h.dialogs.shown.size(), 1);
        QCOMPARE(h.dialogs.shown.first().text, QStringLiteral("Do you want to close Varnock?"));
        QCOMPARE(h.dialogs.shown.first().title, QStringLiteral("Varnock"));
        QVERIFY(recorder.keys.isEmpty());
        QVERIFY(!w.isEnding());
        QVERIFY(w.isVisible());

        // Other keys pass unchanged.
        QTest::keyClick(filter->lineEdit(), Qt::Key_A);
        QCOMPARE(recorder.keys, QList<int>{Qt::Key_A});
        QCOMPARE(filter->currentText(), QStringLiteral("a"));
        QCOMPARE(h.dialogs.shown.size(), 1);
    }

    void escOnTheListAsksToo()
    {
        MainWindowHarness h;
        h.openShown();
        h.dialogs.yesNoAnswers.push_back(false);
        QTest::keyClick(h.child<QListView>("txtNames"), Qt::Key_Escape);
        QCOMPARE(h.dialogs.shown.size(), 1);
    }

    void escYesAndExitEndWithoutSaving_data()
    {
        QTest::addColumn<bool>("viaEsc");
        QTest::newRow("esc yes") << true;
        QTest::newRow("exit") << false;
    }
    void escYesAndExitEndWithoutSaving()
    {
        QFETCH(bool, viaEsc);
        MainWindowHarness h;
        frmMain &w = h.openShown();
        h.child<QComboBox>("txtFilter")->addItem("kept");
        if (viaEsc) {
            h.dialogs.yesNoAnswers.push_back(true);
            QTest::keyClick(h.child<QPushButton>("cmdGo"), Qt::Key_Escape);
        } else {
            h.action("mnuExit")->trigger();
        }
        QVERIFY(w.isEnding());
        QVERIFY(!w.isVisible());
        w.close();
        QCOMPARE(h.storedKeys(), QStringList());
    }

    void menuTitlesMoveFocusToFilter_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::newRow("file") << "mnuFile";
        QTest::newRow("options") << "mnuOptions";
        QTest::newRow("help") << "mnuHelp";
    }
    void menuTitlesMoveFocusToFilter()
    {
        QFETCH(QString, menu);
        MainWindowHarness h;
        frmMain &w = h.openShown();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        auto *names = h.child<QListView>("txtNames");
        names->setFocus();
        QTRY_VERIFY(names->hasFocus());
        // The selection panel as the list shows it while it has the focus.
        auto *panel = h.child<ProgressBox>("picProgBar");
        panel->show();
        h.child<QPushButton>("cmdSelAll")->show();
        auto *m = w.findChild<QMenu *>(menu);
        m->popup(QPoint(0, 0));
        m->hide();
        QTRY_VERIFY(h.child<QComboBox>("txtFilter")->hasFocus());
        QVERIFY(!names->hasFocus());
        QVERIFY(panel->isHidden());
        QVERIFY(h.child<QPushButton>("cmdSelAll")->isHidden());
    }

    void tabOrder()
    {
        MainWindowHarness h;
        frmMain &w = h.open();
        QList<QWidget *> order;
        QWidget *start = h.child<QPushButton>("cmdGo");
        QWidget *next = start;
        for (int i = 0; i < 5; ++i) {
            next = next->nextInFocusChain();
            while (next->focusPolicy() == Qt::NoFocus || next->focusProxy())
                next = next->nextInFocusChain();
            order << next;
        }
        QCOMPARE(order.at(0), static_cast<QWidget *>(h.child<QListView>("txtNames")));
        QCOMPARE(order.at(1), static_cast<QWidget *>(h.child<QPushButton>("cmdSelAll")));
        QCOMPARE(order.at(2), static_cast<QWidget *>(h.child<QPushButton>("cmdSelNone")));
        QCOMPARE(order.at(3), static_cast<QWidget *>(h.child<QComboBox>("txtFilter")));
        Q_UNUSED(w);
    }

    void layoutPassPlacesControls()
    {
        MainWindowHarness h({{"Window/WindowState", "0"}, {"Window/Height", "6000"}, {"Window/Width", "6000"},
                             {"Window/Top", "0"}, {"Window/Left", "0"}});
        frmMain &w = h.openShown();
        QWidget *client = w.centralWidget();
        const double CW = Twips::fromPixels(client->width());
        const double CH = Twips::fromPixels(client->height());
        const MainLayout::Geometry &g = w.layoutGeometry();
        QCOMPARE(g.cmdGo.left(), CW - 495);
        QCOMPARE(g.txtFilter.width(), CW - 540);
        QCOMPARE(g.txtNames, QRectF(0, 350, CW, CH - 665));
        QCOMPARE(g.Shape1, QRectF(0, CH - 260, CW, 255));
        QCOMPARE(h.child<QComboBox>("txtFilter")->geometry(), pixels(g.txtFilter));
        QCOMPARE(h.child<QPushButton>("cmdGo")->geometry(), pixels(g.cmdGo));
        QCOMPARE(h.child<QListView>("txtNames")->geometry(), pixels(g.txtNames));
        QCOMPARE(h.child<QLabel>("lblStatus")->geometry(), pixels(g.lblStatus));
        QCOMPARE(h.child<ProgressBox>("picProgBar")->geometry(), pixels(g.picProgBar));
        QCOMPARE(h.child<QPushButton>("cmdSelNone")->geometry(), pixels(g.cmdSelNone));

        // The frame: shadow outline and the highlight edges, as drawn.
        const QImage shot = client->grab().toImage();
        const QPoint corner = pixels(g.Shape1).topLeft();
        QCOMPARE(shot.pixel(corner), client->palette().color(QPalette::Dark).rgb());
        const QPoint bottom((Twips::toPixels(g.Line1[0].x1()) + Twips::toPixels(g.Line1[0].x2())) / 2,
                            Twips::toPixels(g.Line1[0].y1()));
        QCOMPARE(shot.pixel(bottom), client->palette().color(QPalette::Light).rgb());
        const QPoint right(Twips::toPixels(g.Line1[1].x1()),
                           (Twips::toPixels(g.Line1[1].y1()) + Twips::toPixels(g.Line1[1].y2())) / 2);
        QCOMPARE(shot.pixel(right), client->palette().color(QPalette::Light).rgb());
    }

    void drawProgressPixels_data()
    {
        QTest::addColumn<float>("fraction");
        QTest::newRow("0") << 0.0f;
        QTest::newRow("negative") << -0.5f;
        QTest::newRow("0.5") << 0.5f;
        QTest::newRow("1") << 1.0f;
    }
    void drawProgressPixels()
    {
        QFETCH(float, fraction);
        MainWindowHarness h;
        frmMain &w = h.openShown();
        auto *box = h.child<ProgressBox>("picProgBar");
        box->show();
        box->resize(200, 20);
        // Stale content must be cleared by the drawing.
        box->setBackColor(Qt::red);
        w.DrawProgress(fraction, QStringLiteral("Generating..."));
        const QImage image = box->image();
        QCOMPARE(image.size(), QSize(200, 20) * box->devicePixelRatioF());
        const int bar = fraction > 0 ? qRound(200 * fraction) : 0;
        const QRgb navy = ProgressBox::navy, white = ProgressBox::white;

        int captionNavyLeft = 0, captionWhiteLeft = 0, captionNavyRight = 0, captionWhiteRight = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = image.pixel(x, y) | 0xff000000;
                const bool underBar = x < bar;
                // Away from the centre only the bar or the background shows.
                if (x < 40 || x > 160 || y == 0) {
                    QCOMPARE(p, underBar ? navy : white);
                    continue;
                }
                // Text edges are smoothed, so classify by the red channel.
                if (qRed(p) < 64)
                    ++(underBar ? captionNavyLeft : captionNavyRight);
                else if (qRed(p) > 192)
                    ++(underBar ? captionWhiteLeft : captionWhiteRight);
            }
        }
        // Inside the bar the caption shows white on navy, outside navy on white.
        // The caption's dark strokes are a minority of the centre either way.
        if (bar == 0) {
            QVERIFY(captionNavyRight > 20);
            QVERIFY(captionWhiteRight > captionNavyRight);
        } else if (bar == 200) {
            QVERIFY(captionWhiteLeft > 20);
            QVERIFY(captionNavyLeft > captionWhiteLeft);
        } else {
            QVERIFY(captionWhiteLeft > 10);
            QVERIFY(captionNavyLeft > captionWhiteLeft);
            QVERIFY(captionNavyRight > 10);
            QVERIFY(captionWhiteRight > captionNavyRight);
        }
        // What the widget shows is the image.
        QCOMPARE(box->grab().toImage().convertToFormat(QImage::Format_RGB32).pixel(5, 10) | 0xff000000,
                 bar > 5 ? navy : white);
    }
};

QTEST_MAIN(TestFrmMain)
#include "test_frmmain.moc"
