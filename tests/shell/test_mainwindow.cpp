// The main window itself: start-up, option marks and shortcuts, the count
// box, placement, closing and the layout it draws. Pixel values are the
// written twips at 15 to a pixel, on the 800 x 800 offscreen screen.
#include "shell/ClientArea.h"
#include "support/MainWindowHarness.h"

using Stored = QMap<QString, QString>;

class TestMainWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void firstStart()
    {
        MainWindowHarness h;
        frmMain &w = h.open();
        QCOMPARE(w.windowTitle() + u'|' + w.lblStatus->text(), u"Varnock|Varnock ready."_qs);
        QVERIFY(w.windowState() & Qt::WindowMaximized);
        QCOMPARE(w.mnuDirectSave->data().toString(), QDir::homePath() + u"/Documents/fdkdsfk.txt"_qs);
        QVERIFY(w.picProgBar->isHidden() && w.cmdSelAll->isHidden() && w.mnuCopy->isEnabled() && w.mnuSave->isEnabled());
        QTRY_COMPARE(QApplication::focusWidget(), w.cmdGo);
        QList<QWidget *> order;
        for (QWidget *next = w.cmdGo; order.size() < 4;)
            if ((next = next->nextInFocusChain())->focusPolicy() != Qt::NoFocus && !next->focusProxy())
                order << next;
        QCOMPARE(order, (QList<QWidget *>{w.txtNames, w.cmdSelAll, w.cmdSelNone, w.txtFilter}));
        w.txtNames->setFocus();
        w.mnuOptions->popup(QPoint(0, 0)); // a menu takes the focus to the filter box, the status box back
        w.mnuOptions->hide();
        QTRY_VERIFY(w.txtFilter->hasFocus() && w.picProgBar->isHidden());
        QCOMPARE(h.storedKeys(), QStringList()); // defaults are never written just because they were used
        QVERIFY(w.close());
        QCOMPARE(h.stored(u"Window/WindowState"_qs), u"2"_qs);
    }

    // Each mark is read from its key; its shortcut, pressed in the filter
    // box, flips it and writes True/False at once.
    void optionMarks()
    {
        const std::tuple<const char *, const char *, Qt::Key, bool> cases[] = {
            {"FastMode", "", Qt::Key_F, true}, {"FastMode", "0", Qt::Key_F, false}, {"Case", "", Qt::Key_M, false},
            {"Case", "-1", Qt::Key_M, true}, {"RealityMode", "false", Qt::Key_R, false}, {"UseDiphthongi", "FALSE", Qt::Key_U, false},
            {"Sort", "", Qt::Key_Q, true}, {"Sort", "False", Qt::Key_Q, false}, {"KillDupes", "False", Qt::Key_J, false},
            {"KillDupes", "maybe", Qt::Key_J, true}};
        for (const auto &[key, text, letter, mark] : cases) {
            const QString full = u"Options/"_qs + QLatin1String(key);
            MainWindowHarness h(*text ? Stored{{full, QString::fromLatin1(text)}} : Stored());
            frmMain &w = h.open();
            QAction *item = QMap<QString, QAction *>{{"FastMode", w.mnuFast}, {"Case", w.mnuCase}, {"RealityMode", w.mnuReality},
                                                     {"UseDiphthongi", w.mnuDiphthongi}, {"Sort", w.mnuSort}, {"KillDupes", w.mnuKillDupes}}[key];
            QVERIFY2(item->isChecked() == mark, key);
            for (bool expected : {!mark, mark}) {
                QVERIFY(w.mnuKillDupes->isEnabled() == w.mnuSort->isChecked()); // erasing is usable only while sorting
                QTest::keyClick(w.txtFilter->lineEdit(), letter, Qt::ControlModifier);
                QCOMPARE(QString::number(item->isChecked()) + h.stored(full), QString::number(expected) + (expected ? u"True"_qs : u"False"_qs));
            }
            QVERIFY(h.storedKeys() == QStringList{full} && w.txtFilter->currentText().isEmpty()); // the key was the menu's
        }
    }

    // Counts as users type them; the box offers what is stored.
    void numberOfWords_data()
    {
        QTest::addColumn<QString>("flow"); // stored|answer|prefill|stored after; "" stored: none
        QTest::addColumn<QString>("message");
        const QString capped = u"You cannot generate more than 30000 words."_qs, negative = u"The number of words cannot be negative."_qs;
        for (const auto &[flow, message] : {std::pair{"|250|500|250", QString()}, {"|30000.5|500|30000", {}}, {"|30000.6|500|30000", capped},
                                            {"|1e400|500|30000", capped}, {"|&HFFFF|500|30000", capped}, {"|13,5|500|13", {}}, {"|12.5|500|12", {}},
                                            {"| 1.5e3 words|500|1500", {}}, {"||500|<absent>", {}}, {"120|0|120|120", {}}, {"|-3|500|<absent>", negative},
                                            {"many|7|0|7", {}}, {"1e999||500|1e999", {}}})
            QTest::newRow(flow) << QString::fromLatin1(flow) << message;
    }
    void numberOfWords()
    {
        QFETCH(QString, flow);
        QFETCH(QString, message);
        const QStringList f = flow.split(u'|');
        MainWindowHarness h(f[0].isEmpty() ? Stored() : Stored{{u"Options/HowMany"_qs, f[0]}});
        h.open(nullptr, false);
        h.dialogs.inputAnswers.push_back(f[1]);
        h.window->mnuNoOfWords->trigger();
        const auto &box = h.dialogs.shown.first();
        QCOMPARE((QStringList{box.text, box.title, box.defaultText}),
                 (QStringList{"How many words do you want the program to generate?", "Enter number of words", f[2]}));
        QCOMPARE(h.stored(u"Options/HowMany"_qs), f[3]);
        QCOMPARE(h.dialogs.messages(), message.isEmpty() ? QStringList() : QStringList{message});
        if (!message.isEmpty())
            QVERIFY(h.dialogs.shown.last().title == u"Varnock"
                    && h.dialogs.shown.last().icon == (message.contains(u"negative") ? Dialogs::Icon::Exclamation : Dialogs::Icon::Critical));
    }

    // Stored twips (the outer frame) to the frame in pixels; a value that is
    // no usable number takes its default.
    void placement_data()
    {
        QTest::addColumn<QString>("stored"); // WindowState|Height|Width|Top|Left; fields left out are not stored
        QTest::addColumn<QRect>("frame");    // null when maximised
        QTest::newRow("normal") << "0|5000|4000|100|200" << QRect(13, 7, 267, 333);
        QTest::newRow("minimised comes back normal") << "1| 5000 |4000| 100|200 " << QRect(13, 7, 267, 333);
        QTest::newRow("state not a number") << "x|5000|4000|100|200" << QRect();
        QTest::newRow("centred, top infinite") << "0|5000|4000|inf" << QRect(267, 233, 267, 333);
        QTest::newRow("off-screen moved back") << "0|5000|4000|-90000|900000" << QRect(533, 0, 267, 333);
        QTest::newRow("title reachable stays") << "0|5000|4000|11550|11100" << QRect(740, 770, 267, 333);
        QTest::newRow("zero height, width with junk") << "0|0|4000px|0|0" << QRect(0, 0, 201, 288);
    }
    void placement()
    {
        QFETCH(QString, stored);
        QFETCH(QRect, frame);
        const QStringList values = stored.split(u'|'), keys{"WindowState", "Height", "Width", "Top", "Left"};
        Stored settings;
        for (int i = 0; i < values.size(); ++i)
            settings.insert(u"Window/"_qs + keys[i], values[i]);
        MainWindowHarness h(settings);
        frmMain &w = h.open();
        QCOMPARE(w.windowState() & (Qt::WindowMaximized | Qt::WindowMinimized), frame.isNull() ? Qt::WindowMaximized : Qt::WindowNoState);
        if (!frame.isNull())
            QTRY_COMPARE(w.frameGeometry(), frame);
    }

    void closeSavesPlacementAndHistory()
    {
        MainWindowHarness h({{"Window/WindowState", "0"}, {"Window/Height", "6000"}, {"Window/Width", "4500"},
                             {"Window/Top", "300"}, {"Window/Left", "450"}, {"List/3", "old"}});
        h.open().txtFilter->addItems({"ma", "", "lo"});
        QVERIFY(h.window->close());
        QStringList saved;
        for (const char *key : {"Window/WindowState", "Window/Height", "Window/Width", "Window/Top", "Window/Left", "List/0", "List/1", "List/2", "List/3"})
            saved << h.stored(QString::fromLatin1(key));
        QCOMPARE(saved, (QStringList{"0", "6000", "4500", "300", "450", "ma", "", "lo", "old"}));
        h.open(nullptr, false);
        QCOMPARE(h.history(), QStringList{u"ma"_qs}); // the empty entry ends the history
        QCOMPARE(h.window->txtFilter->currentText(), QString());
    }

    // Esc in any control asks; No swallows the key, Yes (and Exit) end the
    // program at once, even mid-run, without saving. The menu bar's Esc is the menu's.
    void escapeAndExit()
    {
        for (const int way : {0, 1, 2}) { // Esc answered No then Yes; Ctrl+X; Esc-Yes in the middle of a run
            MainWindowHarness h({{"Options/DirectSave", "True"}, {"Options/FastMode", "False"}, {"Options/HowMany", "30000"}});
            h.store(u"Options/DirectSaveFile"_qs, h.dir.filePath(u"out/words.txt"_qs));
            QVERIFY(QDir(h.dir.path()).mkdir(u"out"_qs));
            frmMain &w = h.open();
            h.dialogs.yesNoAnswers = {way == 2, false, true};
            if (way == 0) {
                for (QWidget *target : std::initializer_list<QWidget *>{w.txtFilter->lineEdit(), w.menuBar(), w.txtNames})
                    QTest::keyClick(target, Qt::Key_Escape);
                QTest::keyClick(w.txtFilter->lineEdit(), Qt::Key_A);
                QCOMPARE(w.txtFilter->currentText() + QString::number(h.dialogs.shown.size()), u"a2"_qs);
                QCOMPARE(h.dialogs.shown[0].text + u'|' + h.dialogs.shown[0].title, u"Do you want to close Varnock?|Varnock"_qs);
                QVERIFY(!w.isEnding() && w.isVisible());
                QTest::keyClick(w.cmdGo, Qt::Key_Escape);
            } else if (way == 1) {
                QTest::keyClick(w.txtFilter->lineEdit(), Qt::Key_X, Qt::ControlModifier);
            } else {
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
        QCOMPARE((QList<QRgb>{shot.pixel(0, 225), shot.pixel(96, 241), shot.pixel(192, 233)}), // the strip's outline and highlight edges
                 (QList<QRgb>{p.color(QPalette::Dark).rgb(), p.color(QPalette::Light).rgb(), p.color(QPalette::Light).rgb()}));
        // Direct save stored on: the same window as switched on, 980 twips high.
        MainWindowHarness d({{"Options/DirectSave", "True"}, {"Options/DirectSaveFile", "/tmp/x.txt"}});
        frmMain &small = d.open();
        QVERIFY(small.mnuDirectSave->isChecked() && !small.mnuCopy->isEnabled() && !small.mnuSave->isEnabled()
                && small.mnuDirectSave->data() == u"/tmp/x.txt"_qs);
        QTRY_COMPARE(small.frameGeometry().height(), 65);
        QCOMPARE(small.txtNames->geometry(), QRect(0, 23, 193, 198)); // laid out at the designed size, below the edge
        QVERIFY(!(small.windowState() & Qt::WindowMaximized));
        QCOMPARE(small.cmdGo->geometry(), QRect(small.client->width() - 33, 0, 33, 21)); // the filter row stays usable
        QCOMPARE(small.txtFilter->geometry(), QRect(0, 0, small.client->width() - 36, 21));
    }

    // The box is redrawn whole: navy bar, white rest, the caption inverted under the bar.
    void drawProgress()
    {
        MainWindowHarness h;
        ProgressBox *box = h.open().picProgBar;
        box->show();
        box->resize(200, 20);
        for (const auto &[fraction, bar] : {std::pair{0.0f, 0}, {-0.5f, 0}, {0.5f, 100}, {0.3125f, 62}, {1.0f, 200}}) {
            box->setBackColor(Qt::red); // stale content must be cleared
            h.window->DrawProgress(fraction, u"Generating..."_qs);
            const QImage image = box->image();
            int caption[2][2] = {}; // [under the bar][light]
            for (int y = 0; y < 20; ++y)
                for (int x = 0; x < 200; ++x) {
                    const QRgb px = image.pixel(x, y) | 0xff000000;
                    if (x < 40 || x > 160 || y == 0)
                        QCOMPARE(px, x < bar ? ProgressBox::navy : ProgressBox::white);
                    else if (qRed(px) < 64 || qRed(px) > 192) // text edges are smoothed
                        ++caption[x < bar][qRed(px) > 192];
                }
            QVERIFY(bar < 100 || (caption[1][1] > 10 && caption[1][0] > caption[1][1]));
            QVERIFY(bar > 100 || (caption[0][0] > 10 && caption[0][1] > caption[0][0]));
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
