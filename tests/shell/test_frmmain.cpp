#include "shell/MainLayout.h"
#include "shell/ProgressBox.h"
#include "shell/Twips.h"
#include "support/MainWindowHarness.h"

#include <QtTest/QtTest>
#include <QtWidgets>

namespace {

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

// The menu tree as "name|caption|shortcut", "|check" marking check-mark
// items and one ">" per level below the menu bar.
void menuTree(const QList<QAction *> &actions, QStringList &out, const QString &indent = {})
{
    for (const QAction *a : actions) {
        const QString name = a->menu() ? a->menu()->objectName() : a->objectName();
        out << indent + (a->isSeparator() ? QStringLiteral("-")
                         : QStringList{name, a->text(), a->shortcut().toString(QKeySequence::PortableText)}.join(u'|'))
                + (a->isCheckable() ? QStringLiteral("|check") : QString());
        if (a->menu())
            menuTree(a->menu()->actions(), out, indent + u'>');
    }
}

const QString kCapped = QStringLiteral("You cannot generate more than 30000 words.");
const QString kNegative = QStringLiteral("The number of words cannot be negative.");

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
        QCOMPARE(w.lblStatus->text(), QStringLiteral("Varnock ready."));
        QCOMPARE(w.txtFilter->count(), 0);
        QCOMPARE(w.txtFilter->currentText(), QString());
        QStringList checked;
        for (QAction *item : {w.mnuDirectSave, w.mnuFast, w.mnuCase, w.mnuReality, w.mnuDiphthongi, w.mnuSort,
                              w.mnuKillDupes})
            if (item->isChecked())
                checked << item->objectName();
        QCOMPARE(checked, (QStringList{"mnuFast", "mnuReality", "mnuDiphthongi", "mnuSort", "mnuKillDupes"}));
        QVERIFY(w.mnuKillDupes->isEnabled() && w.mnuCopy->isEnabled() && w.mnuSave->isEnabled());

        QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (documents.isEmpty())
            documents = QDir::homePath();
        QCOMPARE(w.mnuDirectSave->data().toString(), QDir(documents).filePath("fdkdsfk.txt"));

        QVERIFY(w.picProgBar->isHidden() && w.cmdSelAll->isHidden() && w.cmdSelNone->isHidden());
        QTRY_COMPARE(QApplication::focusWidget(), w.cmdGo);
        // Defaults are never written just because they were used.
        QCOMPARE(h.storedKeys(), QStringList());
        QVERIFY(w.close());
        QCOMPARE(h.stored("Window", "WindowState"), QStringLiteral("2"));
    }

    void menuCaptionsShortcutsAndMarks()
    {
        MainWindowHarness h;
        QStringList tree;
        menuTree(h.open().menuBar()->actions(), tree);
        QCOMPARE(tree, (QStringList{
            "mnuFile|&File|", ">mnuGenerate|&Generate words|", ">mnuVarnock|O&pen Varnock file...|Ctrl+W",
            ">mnuOpen|&Open rules file...|Ctrl+O", ">-", ">mnuGenetic|G&enetic creator...|Ctrl+E", ">-",
            ">mnuCopy|&Copy to clipboard|Ctrl+G", ">mnuSave|&Save words...|Ctrl+S", ">-", ">mnuExit|E&xit|Ctrl+X",
            "mnuOptions|&Options|", ">mnuDirectSave|&Direct save...|Ctrl+D|check", ">mnuOperation|&Operation|",
            ">>mnuFast|&Fast mode|Ctrl+F|check", ">>mnuCase|&Match case|Ctrl+M|check", ">>-",
            ">>mnuClearList|Clear list|Ctrl+L", ">mnuGeneration|&Generation|",
            ">>mnuReality|&Reality mode|Ctrl+R|check", ">>mnuDiphthongi|&Use diphthongi|Ctrl+U|check",
            ">>mnuMutations|Mu&tations...|Ctrl+T",
            ">mnuSort|&Sort alphabetically|Ctrl+Q|check", ">mnuKillDupes|&Erase duplicates|Ctrl+J|check", ">-",
            ">mnuGendWords|&Generated words|", ">>mnuNoOfWords|&Varnock...|", ">>mnuGeneticWords|Genetic &creator...|",
            "mnuHelp|&Help|", ">mnuAbout|&About...|"}));
    }

    // Each option reads and writes its own key, as True/False, at once.
    void optionReadAndWritten_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("stored"); // the opposite of the default
        QTest::newRow("fast") << "mnuFast" << "FastMode" << false;
        QTest::newRow("case") << "mnuCase" << "Case" << true;
        QTest::newRow("reality") << "mnuReality" << "RealityMode" << false;
        QTest::newRow("diphthongi") << "mnuDiphthongi" << "UseDiphthongi" << false;
        QTest::newRow("sort") << "mnuSort" << "Sort" << false;
        QTest::newRow("kill dupes") << "mnuKillDupes" << "KillDupes" << false;
    }
    void optionReadAndWritten()
    {
        QFETCH(QString, item);
        QFETCH(QString, key);
        QFETCH(bool, stored);
        const auto text = [](bool on) { return on ? QStringLiteral("True") : QStringLiteral("False"); };
        MainWindowHarness h({{"Options/" + key, text(stored)}});
        frmMain &w = h.open();
        // Erase duplicates is usable only while sorting.
        const auto eraseFollowsSort = [&w] { return w.mnuKillDupes->isEnabled() == w.mnuSort->isChecked(); };
        QAction *action = h.action(qPrintable(item));
        QCOMPARE(action->isChecked(), stored);
        QVERIFY(eraseFollowsSort());
        action->trigger();
        QCOMPARE(action->isChecked(), !stored);
        QCOMPARE(h.stored("Options", key), text(!stored));
        QCOMPARE(h.storedKeys(), QStringList{"Options/" + key});
        QVERIFY(eraseFollowsSort());
        action->trigger();
        QCOMPARE(h.stored("Options", key), text(stored));
        QVERIFY(eraseFollowsSort());
        // Disabled or not, it keeps its mark.
        QVERIFY(action == w.mnuKillDupes || w.mnuKillDupes->isChecked());
    }

    void directSaveStoredAtStart()
    {
        MainWindowHarness h({{"Options/DirectSave", "True"}, {"Options/DirectSaveFile", "/tmp/x.txt"},
                             {"Window/WindowState", "2"}});
        frmMain &w = h.openShown();
        QVERIFY(w.mnuDirectSave->isChecked());
        QCOMPARE(w.mnuDirectSave->data().toString(), QStringLiteral("/tmp/x.txt"));
        QVERIFY(!w.mnuCopy->isEnabled() && !w.mnuSave->isEnabled());
        QVERIFY(!(w.windowState() & Qt::WindowMaximized));
        QTRY_COMPARE(w.frameGeometry().height(), Twips::toPixels(980));
    }

    void numberOfWordsDialog_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("prefill");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("message");
        const auto row = [](const char *name, const char *stored, const char *answer, const char *prefill,
                            const char *expected, const QString &message = {}) {
            QTest::newRow(name) << stored << answer << prefill << expected << message;
        };
        row("250", "", "250", "500", "250");
        row("40000 capped", "", "40000", "500", "30000", kCapped);
        row("30000", "", "30000", "500", "30000");
        row("30000.5 rounds down", "", "30000.5", "500", "30000");
        row("30000.6 capped", "", "30000.6", "500", "30000", kCapped);
        row("beyond 32 bits capped", "", "99999999999", "500", "30000", kCapped);
        row("infinity capped", "", "1e999", "500", "30000", kCapped);
        row("&H100000000 capped", "", "&H100000000", "500", "30000", kCapped);
        row("&HFFFF is 65535", "", "&HFFFF", "500", "30000", kCapped);
        row("decimal comma ends the number", "", "13,5", "500", "13");
        row("12.5 to even", "", "12.5", "500", "12");
        row("13.5 to even", "", "13.5", "500", "14");
        row("blanks 75 word", "", "  75 abc", "500", "75");
        row("1e3", "", "1e3", "500", "1000");
        row("letters", "", "lots", "500", "<absent>");
        row("empty or cancel", "", "", "500", "<absent>");
        row("0.5 rounds to 0", "", "0.5", "500", "<absent>");
        row("-0.5 rounds to 0", "", "-0.5", "500", "<absent>");
        row("zero keeps the stored count", "120", "0", "120", "120");
        row("-0.6 refused", "", "-0.6", "500", "<absent>", kNegative);
        row("-3 refused", "", "-3", "500", "<absent>", kNegative);
        row("-1e400 refused", "", "-1e400", "500", "<absent>", kNegative);
        row("stored letters prefill 0", "many", "", "0", "many");
        row("stored 12.5 prefill", "12.5", "7", "12.5", "7");
        row("stored 1e999 prefills the default", "1e999", "", "500", "1e999");
        row("stored &H7FFFFFFF prefill", "&H7FFFFFFF", "", "2147483647", "&H7FFFFFFF");
        row("stored past 32 bits prefills the default", "2147483647.5", "", "500", "2147483647.5");
    }
    void numberOfWordsDialog()
    {
        QFETCH(QString, stored);
        QFETCH(QString, answer);
        QFETCH(QString, prefill);
        QFETCH(QString, expected);
        QFETCH(QString, message);
        using Stored = QMap<QString, QString>;
        MainWindowHarness h(stored.isEmpty() ? Stored() : Stored{{"Options/HowMany", stored}});
        h.open();
        h.dialogs.inputAnswers.push_back(answer);
        h.action("mnuNoOfWords")->trigger();

        QCOMPARE(h.dialogs.shown.size(), message.isEmpty() ? 1 : 2);
        const auto &box = h.dialogs.shown.first();
        QCOMPARE((QStringList{box.kind, box.text, box.title, box.defaultText}),
                 (QStringList{"input", "How many words do you want the program to generate?", "Enter number of words",
                              prefill}));
        QCOMPARE(h.stored("Options", "HowMany"), expected);
        if (!message.isEmpty()) {
            QCOMPARE(h.dialogs.messages(), QStringList{message});
            QCOMPARE(h.dialogs.shown.last().title, QStringLiteral("Varnock"));
        }
    }

    // Sizes are stored in twips; a value that is no usable number falls back
    // to its default (the designed 3015 x 4320, or centred on the screen).
    void placementRestored_data()
    {
        QTest::addColumn<QString>("stored"); // WindowState|Height|Width|Top|Left; fields left out are not stored
        QTest::addColumn<QRect>("frame");    // pixels; null when maximised
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        const auto px = [](double twips) { return Twips::toPixels(twips); };
        const int w = px(4000), hgt = px(5000), centredTop = px(Twips::fromPixels(screen.height()) / 2 - 2500);
        QTest::newRow("normal") << "0|5000|4000|100|200" << QRect(13, 7, w, hgt);
        QTest::newRow("minimised comes back normal") << "1|5000|4000|100|200" << QRect(13, 7, w, hgt);
        QTest::newRow("maximised") << "2|5000|4000|100|200" << QRect();
        QTest::newRow("state not a number maximises") << "x|5000|4000|100|200" << QRect();
        QTest::newRow("centred without position")
            << "0|5000|4000" << QRect(px(Twips::fromPixels(screen.width()) / 2 - 2000), centredTop, w, hgt);
        QTest::newRow("top not a number") << "0|5000|4000|high|200" << QRect(13, centredTop, w, hgt);
        QTest::newRow("top infinite") << "0|5000|4000|inf|200" << QRect(13, centredTop, w, hgt);
        QTest::newRow("off-screen moved back") << "0|5000|4000|-90000|900000" << QRect(screen.width() - w, 0, w, hgt);
        QTest::newRow("blanks around numbers") << "0| 5000 |4000| 100|200 " << QRect(13, 7, w, hgt);
        QTest::newRow("height not a number") << "0|tall|4000|0|0" << QRect(0, 0, w, px(4320));
        QTest::newRow("zero height") << "0|0|4000|0|0" << QRect(0, 0, w, px(4320));
        QTest::newRow("width empty") << "0|5000||0|0" << QRect(0, 0, px(3015), hgt);
        QTest::newRow("width with trailing junk") << "0|5000|4000px|0|0" << QRect(0, 0, px(3015), hgt);
    }
    void placementRestored()
    {
        QFETCH(QString, stored);
        QFETCH(QRect, frame);
        const QStringList values = stored.split(u'|');
        const QStringList keys{"WindowState", "Height", "Width", "Top", "Left"};
        QMap<QString, QString> settings;
        for (int i = 0; i < values.size(); ++i)
            settings.insert("Window/" + keys[i], values[i]);
        MainWindowHarness h(settings);
        frmMain &w = h.openShown();
        QCOMPARE(bool(w.windowState() & Qt::WindowMaximized), frame.isNull());
        QVERIFY(!(w.windowState() & Qt::WindowMinimized));
        if (!frame.isNull())
            QTRY_COMPARE(w.frameGeometry(), frame);
    }

    void closeSavesPlacementAndHistory()
    {
        MainWindowHarness h({{"Window/WindowState", "0"}, {"Window/Height", "6000"}, {"Window/Width", "4500"},
                             {"Window/Top", "300"}, {"Window/Left", "450"}, {"List/3", "old"}});
        frmMain &w = h.openShown();
        w.txtFilter->addItems({"ma", "", "lo"});
        QVERIFY(w.close());
        QStringList saved;
        for (const char *key : {"Window/WindowState", "Window/Height", "Window/Width", "Window/Top", "Window/Left",
                                "List/0", "List/1", "List/2", "List/3"}) {
            const QStringList parts = QString::fromLatin1(key).split(u'/');
            saved << h.stored(parts[0], parts[1]);
        }
        QCOMPARE(saved, (QStringList{"0", "6000", "4500", "300", "450", "ma", "", "lo", "old"}));

        // The empty entry ends the history at the next start.
        h.window.reset();
        frmMain &again = h.open();
        QCOMPARE(again.txtFilter->count(), 1);
        QCOMPARE(again.txtFilter->itemText(0), QStringLiteral("ma"));
        QCOMPARE(again.txtFilter->currentText(), QString());
    }

    void escAnsweredNoSwallowsTheKey()
    {
        MainWindowHarness h;
        frmMain &w = h.openShown();
        QLineEdit *edit = w.txtFilter->lineEdit();
        KeyRecorder recorder;
        edit->installEventFilter(&recorder);
        h.dialogs.yesNoAnswers = {false, false};
        QTest::keyClick(edit, Qt::Key_Escape);
        QCOMPARE(h.dialogs.shown.size(), 1);
        QCOMPARE(h.dialogs.shown.first().text, QStringLiteral("Do you want to close Varnock?"));
        QCOMPARE(h.dialogs.shown.first().title, QStringLiteral("Varnock"));
        QVERIFY(recorder.keys.isEmpty());
        QVERIFY(!w.isEnding() && w.isVisible());

        // Other keys pass unchanged; Esc on the list asks too.
        QTest::keyClick(edit, Qt::Key_A);
        QCOMPARE(recorder.keys, QList<int>{Qt::Key_A});
        QCOMPARE(w.txtFilter->currentText(), QStringLiteral("a"));
        QCOMPARE(h.dialogs.shown.size(), 1);
        QTest::keyClick(w.txtNames, Qt::Key_Escape);
        QCOMPARE(h.dialogs.shown.size(), 2);
        // The Esc that leaves the menu bar's keyboard mode is the menu's.
        QTest::keyClick(w.menuBar(), Qt::Key_Escape);
        QCOMPARE(h.dialogs.shown.size(), 2);
    }

    void escYesAndExitEndWithoutSaving()
    {
        for (const bool viaEsc : {true, false}) {
            MainWindowHarness h;
            frmMain &w = h.openShown();
            w.txtFilter->addItem("kept");
            if (viaEsc) {
                h.dialogs.yesNoAnswers.push_back(true);
                QTest::keyClick(w.cmdGo, Qt::Key_Escape);
            } else {
                w.mnuExit->trigger();
            }
            QVERIFY2(w.isEnding() && !w.isVisible(), viaEsc ? "Esc" : "Exit");
            w.close();
            QCOMPARE(h.storedKeys(), QStringList());
        }
        // Yes in the middle of a run stops it there: nothing is written.
        QTemporaryDir out;
        const QString path = out.filePath("words.txt");
        MainWindowHarness h({{"Options/DirectSave", "True"}, {"Options/DirectSaveFile", path},
                             {"Options/FastMode", "False"}, {"Options/HowMany", "30000"}});
        frmMain &w = h.openShown();
        h.dialogs.yesNoAnswers.push_back(true);
        QTimer::singleShot(0, &w, [&w] { QTest::keyClick(w.cmdGo, Qt::Key_Escape); });
        w.txtFilter->setEditText("Marion");
        w.mnuGenerate->trigger();
        QVERIFY(w.isEnding());
        QCOMPARE(QDir(out.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
    }

    void menuTitlesMoveFocusToFilterAndShortcutsWork()
    {
        MainWindowHarness h;
        frmMain &w = h.openShown();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTest::keyClick(w.cmdGo, Qt::Key_M, Qt::ControlModifier);
        QVERIFY(w.mnuCase->isChecked());
        QCOMPARE(h.stored("Options", "Case"), QStringLiteral("True"));
        for (QMenu *menu : {w.mnuFile, w.mnuOptions, w.mnuHelp}) {
            w.txtNames->setFocus();
            QTRY_VERIFY(w.txtNames->hasFocus());
            // The selection panel as the list shows it while it has the focus.
            w.picProgBar->show();
            w.cmdSelAll->show();
            menu->popup(QPoint(0, 0));
            menu->hide();
            QTRY_VERIFY2(w.txtFilter->hasFocus(), qPrintable(menu->objectName()));
            QVERIFY(w.picProgBar->isHidden() && w.cmdSelAll->isHidden());
        }
    }

    void tabOrder()
    {
        MainWindowHarness h;
        frmMain &w = h.open();
        QList<QWidget *> order;
        for (QWidget *next = w.cmdGo; order.size() < 4;) {
            next = next->nextInFocusChain();
            if (next->focusPolicy() != Qt::NoFocus && !next->focusProxy())
                order << next;
        }
        QCOMPARE(order, (QList<QWidget *>{w.txtNames, w.cmdSelAll, w.cmdSelNone, w.txtFilter}));
    }

    void windowAppliesItsLayout()
    {
        MainWindowHarness h({{"Window/WindowState", "0"}, {"Window/Height", "6000"}, {"Window/Width", "6000"},
                             {"Window/Top", "0"}, {"Window/Left", "0"}});
        frmMain &w = h.openShown();
        QWidget *client = w.centralWidget();
        const MainLayout::Geometry &g = w.layoutGeometry();
        // The pass ran for the client area as it is now.
        const double width = Twips::fromPixels(client->width()), height = Twips::fromPixels(client->height());
        QCOMPARE(g.txtNames, QRectF(0, 350, width, height - 665));
        for (const auto &[widget, twips] : QList<QPair<QWidget *, QRectF>>{
                 {w.txtFilter, g.txtFilter}, {w.cmdGo, g.cmdGo}, {w.txtNames, g.txtNames}, {w.lblStatus, g.lblStatus},
                 {w.picProgBar, g.picProgBar}, {w.cmdSelNone, g.cmdSelNone}})
            QCOMPARE(widget->geometry(), Twips::toPixels(twips));

        // The frame: shadow outline and the highlight edges, as drawn.
        const QImage shot = client->grab().toImage();
        QCOMPARE(shot.pixel(Twips::toPixels(g.Shape1).topLeft()), client->palette().color(QPalette::Dark).rgb());
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
        ProgressBox *box = w.picProgBar;
        box->show();
        box->resize(200, 20);
        // Stale content must be cleared by the drawing.
        box->setBackColor(Qt::red);
        w.DrawProgress(fraction, QStringLiteral("Generating..."));
        const QImage image = box->image();
        QCOMPARE(image.size(), QSize(200, 20) * box->devicePixelRatioF());
        const int bar = fraction > 0 ? qRound(200 * fraction) : 0;
        const QRgb navy = ProgressBox::navy, white = ProgressBox::white;

        int caption[2][2] = {}; // [under the bar][light]
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = image.pixel(x, y) | 0xff000000;
                // Away from the centre only the bar or the background shows.
                if (x < 40 || x > 160 || y == 0)
                    QCOMPARE(p, x < bar ? navy : white);
                else if (qRed(p) < 64 || qRed(p) > 192) // text edges are smoothed
                    ++caption[x < bar][qRed(p) > 192];
            }
        }
        // Inside the bar the caption shows white on navy, outside navy on white;
        // its strokes are a minority of the centre either way.
        const int least = bar == 0 || bar == 200 ? 20 : 10;
        if (bar > 0)
            QVERIFY(caption[1][1] > least && caption[1][0] > caption[1][1]);
        if (bar < 200)
            QVERIFY(caption[0][0] > least && caption[0][1] > caption[0][0]);
        // What the widget shows is the image.
        QCOMPARE(box->grab().toImage().convertToFormat(QImage::Format_RGB32).pixel(5, 10) | 0xff000000,
                 bar > 5 ? navy : white);
    }
};

QTEST_MAIN(TestFrmMain)
#include "test_frmmain.moc"
