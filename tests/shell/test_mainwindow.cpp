// The main window itself: start-up, option marks and shortcuts, the count
// box, placement, closing and the layout it draws. Pixel values are the
// written twips at 15 to a pixel.
#include "shell/ClientArea.h"
#include "support/MainWindowHarness.h"

#include <QtTest/QtTest>
#include <QtWidgets>

class TestMainWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void firstStart()
    {
        MainWindowHarness h;
        frmMain &w = h.open();
        QCOMPARE(w.windowTitle(), u"Varnock"_qs);
        QVERIFY(w.windowState() & Qt::WindowMaximized);
        QCOMPARE(w.lblStatus->text(), u"Varnock ready."_qs);
        QCOMPARE(w.mnuDirectSave->data().toString(), QDir::homePath() + u"/Documents/fdkdsfk.txt"_qs);
        QVERIFY(w.picProgBar->isHidden() && w.cmdSelAll->isHidden() && w.cmdSelNone->isHidden());
        QVERIFY(w.mnuCopy->isEnabled() && w.mnuSave->isEnabled());
        QTRY_COMPARE(QApplication::focusWidget(), w.cmdGo);
        QCOMPARE(h.storedKeys(), QStringList()); // defaults are never written just because they were used
        QVERIFY(w.close());
        QCOMPARE(h.stored(u"Window/WindowState"_qs), u"2"_qs);
    }

    // Each mark is read from its key, and its shortcut, pressed in the
    // filter box, flips it and writes True/False at once.
    void optionMarks_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("stored"); // "" for absent
        QTest::addColumn<char>("letter");
        QTest::addColumn<bool>("mark");
        QTest::newRow("fast default") << "FastMode" << "" << 'F' << true;
        QTest::newRow("fast 0") << "FastMode" << "0" << 'F' << false;
        QTest::newRow("case default") << "Case" << "" << 'M' << false;
        QTest::newRow("case -1") << "Case" << "-1" << 'M' << true;
        QTest::newRow("reality false") << "RealityMode" << "false" << 'R' << false;
        QTest::newRow("diphthongi FALSE") << "UseDiphthongi" << "FALSE" << 'U' << false;
        QTest::newRow("sort default") << "Sort" << "" << 'Q' << true;
        QTest::newRow("sort False") << "Sort" << "False" << 'Q' << false;
        QTest::newRow("erase False") << "KillDupes" << "False" << 'J' << false;
        QTest::newRow("erase garbage keeps default") << "KillDupes" << "maybe" << 'J' << true;
    }
    void optionMarks()
    {
        QFETCH(QString, key);
        QFETCH(QString, stored);
        QFETCH(char, letter);
        QFETCH(bool, mark);
        const QString full = u"Options/"_qs + key;
        MainWindowHarness h(stored.isEmpty() ? QMap<QString, QString>() : QMap<QString, QString>{{full, stored}});
        frmMain &w = h.open();
        const QMap<QString, QAction *> items{{u"FastMode"_qs, w.mnuFast}, {u"Case"_qs, w.mnuCase},
                                             {u"RealityMode"_qs, w.mnuReality}, {u"UseDiphthongi"_qs, w.mnuDiphthongi},
                                             {u"Sort"_qs, w.mnuSort}, {u"KillDupes"_qs, w.mnuKillDupes}};
        QAction *item = items[key];
        QCOMPARE(item->isChecked(), mark);
        for (bool expected : {!mark, mark}) {
            QVERIFY(w.mnuKillDupes->isEnabled() == w.mnuSort->isChecked()); // erasing is usable only while sorting
            QTest::keyClick(w.txtFilter->lineEdit(), Qt::Key(letter), Qt::ControlModifier);
            QCOMPARE(item->isChecked(), expected);
            QCOMPARE(h.stored(full), expected ? u"True"_qs : u"False"_qs);
        }
        QVERIFY(w.mnuKillDupes->isEnabled() == w.mnuSort->isChecked());
        QCOMPARE(h.storedKeys(), QStringList{full});
        QVERIFY(w.txtFilter->currentText().isEmpty()); // the key was the menu's, not the box's
    }

    // Counts as users type them; the box offers what is stored.
    void numberOfWords_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("prefill");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("message");
        const QString capped = u"You cannot generate more than 30000 words."_qs, negative = u"The number of words cannot be negative."_qs;
        const auto row = [](const char *name, const char *stored, const char *answer, const char *prefill,
                            const char *expected, const QString &message = {}) {
            QTest::newRow(name) << stored << answer << prefill << expected << message;
        };
        row("250", "", "250", "500", "250");
        row("30000", "", "30000", "500", "30000");
        row("30000.5 rounds down", "", "30000.5", "500", "30000");
        row("30000.6 capped", "", "30000.6", "500", "30000", capped);
        row("1e400 capped", "", "1e400", "500", "30000", capped);
        row("&HFFFF is 65535", "", "&HFFFF", "500", "30000", capped);
        row("&H100000000 capped", "", "&H100000000", "500", "30000", capped);
        row("13,5 ends at the comma", "", "13,5", "500", "13");
        row("12.5 to even", "", "12.5", "500", "12");
        row("13.5 to even", "", "13.5", "500", "14");
        row("1.5e3", "", " 1.5e3 words", "500", "1500");
        row("letters", "", "lots", "500", "<absent>");
        row("cancel", "", "", "500", "<absent>");
        row("zero keeps the stored count", "120", "0", "120", "120");
        row("-3 refused", "", "-3", "500", "<absent>", negative);
        row("-1e400 refused", "", "-1e400", "500", "<absent>", negative);
        row("stored letters prefill 0", "many", "7", "0", "7");
        row("stored &H7FFFFFFF", "&H7FFFFFFF", "", "2147483647", "&H7FFFFFFF");
        row("stored 1e999 prefills the default", "1e999", "", "500", "1e999");
    }
    void numberOfWords()
    {
        QFETCH(QString, stored);
        QFETCH(QString, answer);
        QFETCH(QString, prefill);
        QFETCH(QString, expected);
        QFETCH(QString, message);
        MainWindowHarness h(stored.isEmpty() ? QMap<QString, QString>() : QMap<QString, QString>{{u"Options/HowMany"_qs, stored}});
        h.open(nullptr, false);
        h.dialogs.inputAnswers.push_back(answer);
        h.window->mnuNoOfWords->trigger();
        const auto &box = h.dialogs.shown.first();
        QCOMPARE((QStringList{box.kind, box.text, box.title, box.defaultText}),
                 (QStringList{"input", "How many words do you want the program to generate?", "Enter number of words", prefill}));
        QCOMPARE(h.stored(u"Options/HowMany"_qs), expected);
        QCOMPARE(h.dialogs.messages(), message.isEmpty() ? QStringList() : QStringList{message});
        if (!message.isEmpty()) {
            QCOMPARE(h.dialogs.shown.last().title, u"Varnock"_qs);
            QCOMPARE(h.dialogs.shown.last().icon, message == u"You cannot generate more than 30000 words."
                                                      ? Dialogs::Icon::Critical : Dialogs::Icon::Exclamation);
        }
    }

    // Stored twips (the outer frame) to the frame in pixels on the 800 x 800
    // offscreen screen; a value that is no usable number takes its default.
    void placement_data()
    {
        QTest::addColumn<QString>("stored"); // WindowState|Height|Width|Top|Left; fields left out are not stored
        QTest::addColumn<QRect>("frame");    // null when maximised
        QTest::newRow("normal") << "0|5000|4000|100|200" << QRect(13, 7, 267, 333);
        QTest::newRow("minimised comes back normal") << "1|5000|4000|100|200" << QRect(13, 7, 267, 333);
        QTest::newRow("maximised") << "2|5000|4000|100|200" << QRect();
        QTest::newRow("state not a number") << "x|5000|4000|100|200" << QRect();
        QTest::newRow("centred without position") << "0|5000|4000" << QRect(267, 233, 267, 333);
        QTest::newRow("top not a number") << "0|5000|4000|high|200" << QRect(13, 233, 267, 333);
        QTest::newRow("top infinite") << "0|5000|4000|inf|200" << QRect(13, 233, 267, 333);
        QTest::newRow("off-screen moved back") << "0|5000|4000|-90000|900000" << QRect(533, 0, 267, 333);
        QTest::newRow("title reachable stays") << "0|5000|4000|8250|11100" << QRect(740, 550, 267, 333);
        QTest::newRow("blanks around numbers") << "0| 5000 |4000| 100|200 " << QRect(13, 7, 267, 333);
        QTest::newRow("height not a number") << "0|tall|4000|0|0" << QRect(0, 0, 267, 288);
        QTest::newRow("zero height") << "0|0|4000|0|0" << QRect(0, 0, 267, 288);
        QTest::newRow("width with junk") << "0|5000|4000px|0|0" << QRect(0, 0, 201, 333);
    }
    void placement()
    {
        QFETCH(QString, stored);
        QFETCH(QRect, frame);
        const QStringList values = stored.split(u'|'), keys{"WindowState", "Height", "Width", "Top", "Left"};
        QMap<QString, QString> settings;
        for (int i = 0; i < values.size(); ++i)
            settings.insert(u"Window/"_qs + keys[i], values[i]);
        MainWindowHarness h(settings);
        frmMain &w = h.open();
        QCOMPARE(bool(w.windowState() & Qt::WindowMaximized), frame.isNull());
        QVERIFY(!(w.windowState() & Qt::WindowMinimized));
        if (!frame.isNull())
            QTRY_COMPARE(w.frameGeometry(), frame);
    }

    void closeSavesPlacementAndHistory()
    {
        MainWindowHarness h({{"Window/WindowState", "0"}, {"Window/Height", "6000"}, {"Window/Width", "4500"},
                             {"Window/Top", "300"}, {"Window/Left", "450"}, {"List/3", "old"}});
        frmMain &w = h.open();
        w.txtFilter->addItems({"ma", "", "lo"});
        QVERIFY(w.close());
        QStringList saved;
        for (const char *key : {"Window/WindowState", "Window/Height", "Window/Width", "Window/Top", "Window/Left",
                                "List/0", "List/1", "List/2", "List/3"})
            saved << h.stored(QString::fromLatin1(key));
        QCOMPARE(saved, (QStringList{"0", "6000", "4500", "300", "450", "ma", "", "lo", "old"}));
        // The empty entry ends the history at the next start.
        frmMain &again = h.open(nullptr, false);
        QCOMPARE(h.history(), QStringList{u"ma"_qs});
        QCOMPARE(again.txtFilter->currentText(), QString());
    }

    // Esc in any control asks; No swallows the key, Yes (and Exit) end the
    // program at once without saving. The menu bar's Esc is the menu's.
    void escapeAndExit()
    {
        for (const int way : {0, 1, 2}) { // Esc answered No then Yes; Ctrl+X; Esc-Yes in the middle of a run
            MainWindowHarness h({{"Options/DirectSave", "True"}, {"Options/FastMode", "False"}, {"Options/HowMany", "30000"}});
            h.store(u"Options/DirectSaveFile"_qs, h.dir.filePath(u"out/words.txt"_qs));
            QVERIFY(QDir(h.dir.path()).mkdir(u"out"_qs));
            frmMain &w = h.open();
            QLineEdit *edit = w.txtFilter->lineEdit();
            if (way == 0) {
                h.dialogs.yesNoAnswers = {false, false};
                QTest::keyClick(edit, Qt::Key_Escape);
                QTest::keyClick(w.menuBar(), Qt::Key_Escape);
                QTest::keyClick(edit, Qt::Key_A);
                QCOMPARE(w.txtFilter->currentText(), u"a"_qs);
                QTest::keyClick(w.txtNames, Qt::Key_Escape);
                QCOMPARE(h.dialogs.shown.size(), 2);
                QCOMPARE(h.dialogs.shown[0].text + u'|' + h.dialogs.shown[0].title, u"Do you want to close Varnock?|Varnock"_qs);
                QVERIFY(!w.isEnding() && w.isVisible());
                h.dialogs.yesNoAnswers = {true};
                QTest::keyClick(w.cmdGo, Qt::Key_Escape);
            } else if (way == 1) {
                QTest::keyClick(edit, Qt::Key_X, Qt::ControlModifier);
            } else {
                h.dialogs.yesNoAnswers = {true};
                QTimer::singleShot(0, &w, [&w] { QTest::keyClick(w.cmdGo, Qt::Key_Escape); });
                w.txtFilter->setEditText(u"Marion"_qs);
                w.mnuGenerate->trigger();
            }
            QVERIFY2(w.isEnding() && !w.isVisible(), qPrintable(QString::number(way)));
            w.close();
            QCOMPARE(h.storedKeys().size(), 4); // nothing saved beyond what was there
            QCOMPARE(QDir(h.dir.filePath(u"out"_qs)).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
        }
    }

    // Opening a menu moves the focus to the filter box and puts the white
    // status box back in place of the selection panel.
    void menusAndTabOrder()
    {
        MainWindowHarness h;
        frmMain &w = h.open();
        for (QMenu *menu : {w.mnuFile, w.mnuOptions, w.mnuHelp}) {
            w.txtNames->setFocus();
            QTRY_VERIFY(w.picProgBar->isVisible() && w.cmdSelAll->isVisible());
            menu->popup(QPoint(0, 0));
            menu->hide();
            QTRY_VERIFY2(w.txtFilter->hasFocus(), qPrintable(menu->objectName()));
            QVERIFY(w.picProgBar->isHidden() && w.cmdSelAll->isHidden());
        }
        QList<QWidget *> order;
        for (QWidget *next = w.cmdGo; order.size() < 4;)
            if ((next = next->nextInFocusChain())->focusPolicy() != Qt::NoFocus && !next->focusProxy())
                order << next;
        QCOMPARE(order, (QList<QWidget *>{w.txtNames, w.cmdSelAll, w.cmdSelNone, w.txtFilter}));
    }

    // The designed client area, 2895 x 3630 twips, is 193 x 242 pixels.
    void layoutAndFrame()
    {
        MainWindowHarness h({{"Window/WindowState", "0"}});
        frmMain &w = h.open();
        w.resize(193, w.menuBar()->height() + 242);
        QTRY_COMPARE(w.client->size(), QSize(193, 242));
        QList<QRect> at;
        for (QWidget *c : std::initializer_list<QWidget *>{w.txtFilter, w.cmdGo, w.txtNames, w.lblStatus, w.picProgBar, w.cmdSelAll, w.cmdSelNone})
            at << c->geometry();
        QCOMPARE(at, (QList<QRect>{{0, 0, 157, 21}, {160, 0, 33, 21}, {0, 23, 193, 198}, {2, 226, 190, 15},
                                   {1, 226, 191, 15}, {0, 0, 92, 15}, {99, 0, 92, 15}}));
        const QImage shot = w.client->grab().toImage();
        const QPalette &p = w.client->palette();
        QCOMPARE(shot.pixel(0, 225), p.color(QPalette::Dark).rgb());   // the strip's outline
        QCOMPARE(shot.pixel(96, 241), p.color(QPalette::Light).rgb()); // its highlight edges
        QCOMPARE(shot.pixel(192, 233), p.color(QPalette::Light).rgb());
        // Direct save stored on: the same window as switched on, 980 twips high.
        MainWindowHarness d({{"Options/DirectSave", "True"}, {"Options/DirectSaveFile", "/tmp/x.txt"}});
        frmMain &small = d.open();
        QVERIFY(small.mnuDirectSave->isChecked() && !small.mnuCopy->isEnabled() && !small.mnuSave->isEnabled());
        QCOMPARE(small.mnuDirectSave->data().toString(), u"/tmp/x.txt"_qs);
        QTRY_COMPARE(small.frameGeometry().height(), 65);
        QVERIFY(!(small.windowState() & Qt::WindowMaximized));
        QCOMPARE(small.cmdGo->geometry(), QRect(small.client->width() - 33, 0, 33, 21)); // the filter row stays usable
        QCOMPARE(small.txtFilter->geometry(), QRect(0, 0, small.client->width() - 36, 21));
    }

    // The box is redrawn whole: navy bar, white rest, the caption inverted under the bar.
    void drawProgress()
    {
        MainWindowHarness h;
        frmMain &w = h.open();
        ProgressBox *box = w.picProgBar;
        box->show();
        box->resize(200, 20);
        for (const auto &[fraction, bar] : {std::pair{0.0f, 0}, {-0.5f, 0}, {0.5f, 100}, {0.3125f, 62}, {1.0f, 200}}) {
            box->setBackColor(Qt::red); // stale content must be cleared
            w.DrawProgress(fraction, u"Generating..."_qs);
            const QImage image = box->image();
            QCOMPARE(image.size(), QSize(200, 20));
            int caption[2][2] = {}; // [under the bar][light]
            for (int y = 0; y < 20; ++y)
                for (int x = 0; x < 200; ++x) {
                    const QRgb px = image.pixel(x, y) | 0xff000000;
                    if (x < 40 || x > 160 || y == 0)
                        QCOMPARE(px, x < bar ? ProgressBox::navy : ProgressBox::white);
                    else if (qRed(px) < 64 || qRed(px) > 192) // text edges are smoothed
                        ++caption[x < bar][qRed(px) > 192];
                }
            if (bar >= 100)
                QVERIFY(caption[1][1] > 10 && caption[1][0] > caption[1][1]);
            if (bar <= 100)
                QVERIFY(caption[0][0] > 10 && caption[0][1] > caption[0][0]);
            QCOMPARE(box->grab().toImage().pixel(5, 10) | 0xff000000, bar > 5 ? ProgressBox::navy : ProgressBox::white);
        }
    }
};

int runMainWindow(int argc, char **argv)
{
    TestMainWindow test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_mainwindow.moc"
