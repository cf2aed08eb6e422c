// The shell's windows: the main window (start-up, option marks, the count box, placement, closing, layout), the
// commands that make words and what becomes of them, and the About box. Pixel values are the written twips at 15 to
// a pixel, on the 800 x 800 offscreen screen.
#include "shell/AppIcons.h"
#include "shell/ClientArea.h"
#include "shell/MainLayout.h"
#include "shell/QtDialogs.h"
#include "shell/SystemInfo.h"
#include "shell/WindowPlacement.h"
#include "shell/frmAbout.h"
#include "sources/PatternFile.h"
#include "substitute/frmKestrin.h"
#include "support/AccessibleNames.h"
#include "support/MainWindowHarness.h"
#include "support/ScriptedRandom.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

using Draws = std::vector<float>;
using Stored = QMap<QString, QString>;

namespace {
const auto P = ScriptedRandom::pick;
qsizetype selectedRows(const frmMain &w) { return w.txtNames->selectionModel()->selectedRows().size(); }
QStringList files(const QString &folder) { return QDir(folder).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name); }
QString menuLayout(const QMenu *m) { QString s; for (const QAction *a : m->actions()) s += a->isSeparator() ? u"| "_qs : a->text() + u' '; return s; }
} // namespace

class TestShell : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The window checks the designed size; here the steps that round or fail.
    void layoutPass()
    {
        MainLayout::Geometry g;
        MainLayout::layoutPass(g, 40, 600, false); // a first pass too narrow and low keeps the designed boxes
        QCOMPARE((QList<QRectF>{g.txtFilter, g.txtNames, g.cmdSelAll, g.cmdSelNone}), (QList<QRectF>{{0, 0, 2355, 315}, {0, 360, 2895, 3060}, {0, 0, 0, 230}, {15, 0, 0, 230}}));
        MainLayout::layoutPass(g, 540, 665, false); // a width or height of nothing is still placed
        QCOMPARE(QSizeF(g.txtFilter.width(), g.txtNames.height()), QSizeF(0, 0));
        MainLayout::layoutPass(g, 2894.5, 3629.5, false); // CH - 255 and CW go half to even
        QCOMPARE(g.Shape1, QRectF(0, 3369, 2894, 255));
        MainLayout::layoutPass(g, 40, 600, false); // too narrow and low: those steps keep their last geometry
        QCOMPARE((QList<QRectF>{g.txtFilter, g.cmdGo, g.txtNames, g.lblStatus, g.picProgBar, g.Shape1, g.cmdSelAll, g.cmdSelNone}),
                 (QList<QRectF>{{0, 0, 2354.5, 315}, {-455, 0, 495, 315}, {0, 350, 2894.5, 2964.5}, {30, 3394, 2849, 230}, {15, 3394, 2864, 230},
                                {0, 340, 40, 255}, {0, 0, 1382, 230}, {1482, 0, 1382, 230}}));
        QCOMPARE((QList<QLineF>{g.Line1[0], g.Line1[1]}), (QList<QLineF>{{5, 590, 40, 590}, {25, 350, 25, 595}}));
    }

    void aboutBox()
    {
        for (const auto &[howMany, quoted] : {std::pair{"", "500"}, {"abc", "0"}, {"12.5", "12.5"}, {"0.1234567890123456", "0.123456789012346"}, {"40 words", "40"}, {"1e999", "500"}}) {
            MainWindowHarness h(*howMany ? QMap<QString, QString>{{u"Options/HowMany"_qs, QString::fromLatin1(howMany)}} : QMap<QString, QString>());
            SystemInfo::NoRegistry none;
            frmAbout about(h.settings, h.dialogs, {&none, [](const QString &) { return false; }, [](const QString &) { return QString(); },
                                                   [](const QString &) { return true; }});
            QCOMPARE(about.lblDescription->text(), u"Varnock generates words of a particular form. When you enter a word in the box, it "
                                                   "is analyzed and %1 new words based on your filter are generated."_qs.arg(quoted));
            QCOMPARE(about.objectName() + about.windowTitle() + u'|' + about.lblTitle->text() + u'|' + about.lblVersion->text(), u"frmAboutAbout Varnock|Varnock|Version " VARNOCK_EXPECTED_VERSION ""_qs);
            QVERIFY(!about.picIcon->pixmap().isNull() && !about.windowIcon().isNull() && about.lblTitle->font().bold() && about.lblTitle->font().pointSizeF() == about.font().pointSizeF() * 1.8);
            QCOMPARE(accessibleNames(about), (QStringList{"cmdOK=OK", "cmdSysInfo=System information"}));
            QCOMPARE(about.size(), QSize(382, 237));
            QList<QRect> at; // each control found by its name
            for (const char *name : {"picIcon", "lblTitle", "lblVersion", "lblDescription", "Line1_0", "Line1_1", "lblDisclaimer", "cmdOK", "cmdSysInfo"})
                if (const QWidget *c = about.findChild<QWidget *>(QLatin1String(name)))
                    at << c->geometry();
            QCOMPARE(at, (QList<QRect>{{20, 16, 36, 36}, {70, 16, 259, 32}, {70, 52, 259, 15}, {70, 72, 259, 78}, {7, 164, 370, 2},
                                       {6, 164, 371, 1}, {4, 168, 270, 67}, {283, 175, 84, 23}, {284, 205, 83, 23}}));
            const QImage shot = about.grab().toImage();
            QCOMPARE((QList<QRgb>{shot.pixel(6, 164), shot.pixel(7, 165)}), (QList<QRgb>{0xff808080, 0xffffffff})); // grey over white
            QList<QRect> inked; // the texts wrap from their top-left corner; the icon sits in the middle of its box
            for (const QWidget *c : std::initializer_list<const QWidget *>{about.lblDescription, about.lblDisclaimer, about.picIcon}) {
                QRect ink;
                for (int y = c->y(); y <= c->geometry().bottom(); ++y)
                    for (int x = c->x(); x <= c->geometry().right(); ++x)
                        ink |= shot.pixel(x, y) != shot.pixel(c->pos()) ? QRect(x, y, 1, 1) : QRect();
                inked << ink.translated(-c->pos());
            }
            QVERIFY2(inked[0].top() <= 2 && inked[0].height() > 40 && inked[1].top() <= 2 && inked[1].height() > 40 && inked[2] == QRect(3, 3, 30, 30),
                     qPrintable(QDebug::toString(inked)));
            about.show();
            QVERIFY(QTest::qWaitForWindowActive(&about));
            // System Info with nothing to start says so and the box stays; then Enter (OK is the default) or Esc closes it.
            QTest::mouseClick(about.cmdSysInfo, Qt::LeftButton);
            QCOMPARE(h.dialogs.messages(), QStringList{u"System Information Is Unavailable At This Time"_qs});
            QVERIFY(h.dialogs.shown[0].title == u"Varnock" && h.dialogs.shown[0].icon == Dialogs::Icon::None && about.isVisible());
            QTest::keyClick(QApplication::focusWidget(), *quoted == '5' ? Qt::Key_Return : Qt::Key_Escape);
            QVERIFY(!about.isVisible());
            QCOMPARE(about.result(), *quoted == '5' ? int(QDialog::Accepted) : int(QDialog::Rejected));
        }
    }

    // The tool the registry names (a string, its last zero dropped; a number; or a folder holding MSINFO32.EXE), else
    // the first known viewer installed. A value over 1024 bytes names nothing; one of another type names "".
    void systemInfoTool()
    {
        struct Scripted : SystemInfo::Registry {
            QString key;
            std::uint32_t type = 0;
            QByteArray bytes;
            bool queryValue(std::uint32_t root, const QString &k, const QString &v, std::uint32_t &t, QByteArray &d) override
            { return root == SystemInfo::HKEY_LOCAL_MACHINE_ROOT && k + u'|' + v == key && (t = type, d = bytes, true); }
        };
        const QString path = u"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO|PATH"_qs, folder = u"SOFTWARE\\Microsoft\\Shared Tools Location|MSINFO"_qs;
        const std::uint32_t sz = 1, dword = 4; // REG_SZ and REG_DWORD, as the registry numbers them
        for (const auto &[key, type, bytes, outcome] : std::initializer_list<std::tuple<QString, std::uint32_t, QByteArray, QString>>{
                 {path, sz, {"C:\\m.exe\0", 9}, u"1C:\\m.exe"_qs}, {path, sz, QByteArray(1024, 'x'), u"1"_qs + QString(1024, u'x')},
                 {path, sz, QByteArray(1025, 'x'), u"1/bin/kinfocenter"_qs}, {path, 7, "C:\\m.exe", u"1"_qs},
                 {folder, sz, "C:\\T", u"1?C:\\T\\MSINFO32.EXE,C:\\T\\MSINFO32.EXE"_qs}, {folder, dword, {"\xfe\xff\xff\xff", 4}, u"0?-2\\MSINFO32.EXE"_qs},
                 {folder, dword, "\x05", u"0?\\MSINFO32.EXE"_qs}}) {
            Scripted registry;
            std::tie(registry.key, registry.type, registry.bytes) = std::tie(key, type, bytes);
            QStringList log;
            const bool started = SystemInfo::startTool({&registry, [&](const QString &p) { return log << u'?' + p, p.startsWith(u"C:"); },
                                                        [](const QString &name) { return name.startsWith(u'k') || name.startsWith(u'g') ? u"/bin/"_qs + name : QString(); },
                                                        [&](const QString &p) { return log << p, true; }});
            QCOMPARE(QString::number(started) + log.join(u','), outcome);
        }
        SystemInfo::NoRegistry none;
        QString stale = u"stale"_qs;
        QVERIFY(!SystemInfo::GetKeyValue(none, SystemInfo::HKEY_LOCAL_MACHINE_ROOT, path, path, stale) && stale.isEmpty());
    }

    // The real boxes, each answered by a timer once it is up and modal.
    void realDialogs()
    {
        QtDialogs real;
        QList<std::function<void(QWidget *)>> steps;
        QTimer tick;
        connect(&tick, &QTimer::timeout, [&] { // restarted first, so a box a step opens is answered too; an unexpected one is closed
            if (QWidget *w = QApplication::activeModalWidget())
                tick.start(5), steps.isEmpty() ? void(w->close()) : steps.takeFirst()(w); });
        tick.start(5);
        QStringList seen;
        const auto click = [&](QMessageBox::StandardButton b) { steps << [&, b](QWidget *w) { auto *box = qobject_cast<QMessageBox *>(w);
            seen << w->objectName() + u'|' + box->windowTitle() + u'|' + box->text() + u'|' + QString::number(box->icon()); box->button(b)->click(); }; };
        for (auto icon : {Dialogs::Icon::None, Dialogs::Icon::Critical, Dialogs::Icon::Question, Dialogs::Icon::Exclamation, Dialogs::Icon::Information})
            click(QMessageBox::Ok), real.message(nullptr, u"Text"_qs, u"Title"_qs, icon);
        click(QMessageBox::Yes), click(QMessageBox::No);
        QVERIFY(real.askYesNo(nullptr, u"Sure?"_qs, u"Q"_qs) && !real.askYesNo(nullptr, u"Sure?"_qs, u"Q"_qs));
        QCOMPARE(seen, (QStringList{"messageBox|Title|Text|0", "messageBox|Title|Text|3", "messageBox|Title|Text|4", "messageBox|Title|Text|2",
                                    "messageBox|Title|Text|1", "questionBox|Q|Sure?|4", "questionBox|Q|Sure?|4"}));
        for (bool ok : {true, false})
            steps << [&, ok](QWidget *w) { auto *d = qobject_cast<QInputDialog *>(w);
                seen << w->objectName() + d->windowTitle() + d->labelText() + d->textValue(); d->setTextValue(u"typed"_qs); ok ? d->accept() : d->reject(); };
        const QString typed = real.inputBox(nullptr, u"How many?"_qs, u"T"_qs, u"500"_qs);
        QCOMPARE(typed + u'|' + real.inputBox(nullptr, u"How many?"_qs, u"T"_qs, u"500"_qs), u"typed|"_qs);
        QCOMPARE(seen.mid(7), QStringList(2, u"inputBoxTHow many?500"_qs));
        // Open: an existing file; a new name refused, then the box cancelled; a new name taken, with the default suffix.
        QTemporaryDir dir;
        QFile(dir.filePath("old.nam")).open(QIODevice::WriteOnly);
        const auto pick = [&](const QString &name) { steps << [&, name](QWidget *w) { auto *d = qobject_cast<QFileDialog *>(w);
            seen << d->objectName() + d->nameFilters().join(u'/') + d->defaultSuffix() + QString::number(d->directory() == QDir(dir.path()) && d->testOption(QFileDialog::DontUseNativeDialog));
            name.isEmpty() ? d->reject() : (d->selectFile(dir.filePath(name)), static_cast<QDialog *>(d)->accept()); }; };
        const auto open = [&] { return real.openFile(nullptr, u"Open"_qs, {{u"Rules"_qs, u"*.nam;*.txt"_qs}, {u"All"_qs, u"*.*"_qs}}, u"nam"_qs, dir.path()); };
        pick(u"old.nam"_qs), pick(u"new"_qs), click(QMessageBox::No), pick(QString()), pick(u"new"_qs), click(QMessageBox::Yes);
        QStringList opened;
        for (int i = 0; i < 3; ++i)
            opened << open();
        QCOMPARE(opened, (QStringList{dir.filePath("old.nam"), "", dir.filePath("new.nam")}));
        const QString box = u"openFileDialogRules (*.nam *.txt)/All (*)nam1"_qs, ask = u"questionBox|Open|new.nam\nThis file does not exist.\nDo you want to create the file?|4"_qs;
        QCOMPARE(seen.mid(9), (QStringList{box, box, ask, box, box, ask}));
        QVERIFY(steps.isEmpty() && !QFileInfo::exists(dir.filePath("new.nam")));
    }

    void firstStart()
    {
        MainWindowHarness h;
        frmMain &w = h.open();
        QCOMPARE(w.windowTitle() + u'|' + w.lblStatus->text(), u"Varnock|Varnock ready."_qs);
        QCOMPARE(AppIcons::varnock().availableSizes(), (QList<QSize>{{16, 16}, {22, 22}, {24, 24}, {32, 32}, {48, 48}, {64, 64}, {128, 128}, {256, 256}}));
        QCOMPARE(w.mnuDirectSave->data().toString(), QDir::homePath() + u"/Documents/fdkdsfk.txt"_qs);
        QVERIFY(w.windowState() & Qt::WindowMaximized && w.picProgBar->isHidden() && w.cmdSelAll->isHidden() && w.cmdSelNone->isHidden() && w.mnuCopy->isEnabled()
                && w.mnuSave->isEnabled() && w.txtNames->uniformItemSizes()); // 30,000 rows laid out without measuring each
        QCOMPARE(menuLayout(w.mnuFile) + menuLayout(w.mnuOptions) + menuLayout(w.mnuOperation), u"&Generate words O&pen Varnock file... &Open rules file... | G&enetic creator... | &Copy to clipboard "
                 "&Save words... | E&xit &Direct save... &Operation &Generation &Sort alphabetically &Erase duplicates | &Generated words &Fast mode &Match case | Clear list "_qs);
        QTRY_COMPARE(QApplication::focusWidget(), w.cmdGo);
        QList<QWidget *> order;
        for (QWidget *next = w.cmdGo; order.size() < 4;)
            if ((next = next->nextInFocusChain())->focusPolicy() != Qt::NoFocus && !next->focusProxy())
                order << next;
        QCOMPARE(order, (QList<QWidget *>{w.txtNames, w.cmdSelAll, w.cmdSelNone, w.txtFilter}));
        QCOMPARE(accessibleNames(w), (QStringList{"txtFilter=Sample word or filter", "cmdGo=Random filter / Click here for a random filter",
                                                   "txtNames=Generated words", "cmdSelAll=Select all words", "cmdSelNone=Select no words"}));
        w.txtFilter->setEditText(u"Ma"_qs);
        QTest::keyClick(w.cmdGo, Qt::Key_Backtab); // the box sees its own focus too: its text is selected, ready to be typed over
        QVERIFY(w.txtFilter->lineEdit()->hasFocus() && w.txtFilter->lineEdit()->selectedText() == u"Ma");
        for (QMenu *menu : {w.mnuFile, w.mnuOptions, w.mnuHelp}) { // a menu takes the focus to the filter box, the status box back
            w.txtNames->setFocus();
            QVERIFY(w.picProgBar->isVisible()); // the list's own focus shows the panel
            menu->popup(QPoint(0, 0)), menu->hide();
            QTRY_VERIFY(w.txtFilter->hasFocus() && w.picProgBar->isHidden());
        }
        QString modal; // About... shows its box over the window until it is closed
        QTimer::singleShot(0, [&] { QWidget *box = QApplication::activeModalWidget(); modal = box->objectName(), box->close(); });
        QCOMPARE((w.mnuAbout->trigger(), modal), u"frmAbout"_qs);
        QCOMPARE(h.storedKeys(), QStringList()); // defaults are never written just because they were used
        w.txtFilter->addItems({"ma", "", "lo"});
        w.txtFilter->clearEditText();
        QTest::keyClick(w.txtFilter->lineEdit(), Qt::Key_M);
        QCOMPARE(w.txtFilter->currentText(), u"m"_qs); // typing is never completed from the history
        w.showMinimized();
        QVERIFY(w.close());
        QCOMPARE(h.stored(u"Window/WindowState"_qs) + u'|' + h.stored(u"List/0"_qs) + u'|' + h.stored(u"List/1"_qs) + u'|' + h.stored(u"List/2"_qs) + h.stored(u"List/3"_qs), u"1|ma||lo<absent>"_qs);
        h.open(nullptr, false);
        QCOMPARE(h.history() << h.window->txtFilter->currentText(), (QStringList{"ma", ""})); // the empty entry ends the history
        h.window->mnuGenerate->trigger(); // a run started with the focus nowhere leaves it there
        QVERIFY(!QApplication::focusWidget() && h.window->lblStatus->text() == u"Ready." && !h.listed().isEmpty());
        Stored many; // a 16-bit index: 32767 entries come back, not the 32768th
        for (int i = 0; i <= 32767; ++i)
            many[u"List/"_qs + QString::number(i)] = u"w"_qs;
        QCOMPARE(MainWindowHarness(many).open(nullptr, false).txtFilter->count(), 32767);
    }

    // Each mark is read from its key; its shortcut, pressed in the filter box, flips it and writes True/False at once.
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
                QCOMPARE(QString::number(item->isChecked()) + QString::fromLatin1(fileBytes(h.iniPath)).section(u'\n', 1, 1), // on disk at once
                         QString::number(expected) + QLatin1String(key) + (expected ? u"=True"_qs : u"=False"_qs));
            }
            QVERIFY(h.storedKeys() == QStringList{full} && w.txtFilter->currentText().isEmpty()); // the key was the menu's
        }
    }

    // Counts as users type them; the box offers what is stored.
    void numberOfWords()
    {
        const QString capped = u"You cannot generate more than 30000 words."_qs, negative = u"The number of words cannot be negative."_qs;
        for (const auto &[flow, message] : {std::pair{"|250|500|250", QString()}, {"|30000.5|500|30000", {}}, {"|30000.6|500|30000", capped},
                                            {"|1e400|500|30000", capped}, {"|&HFFFF|500|30000", capped}, {"|13,5|500|13", {}}, {"|12.5|500|12", {}},
                                            {"| 1.5e3 words|500|1500", {}}, {"||500|<absent>", {}}, {"120|0|120|120", {}}, {"|-3|500|<absent>", negative},
                                            {"many|7|0|7", {}}, {"1e999||500|1e999", {}},
                                            {"-2147483648||-2147483648|-2147483648", {}}, {"-2147483649||500|-2147483649", {}}, {"2147483647||2147483647|2147483647", {}}}) {
            const QStringList f = QString::fromLatin1(flow).split(u'|'); // stored|answer|prefill|stored after; "" stored: none
            MainWindowHarness h(f[0].isEmpty() ? Stored() : Stored{{u"Options/HowMany"_qs, f[0]}});
            h.open(nullptr, false);
            h.dialogs.inputAnswers.push_back(f[1]);
            h.window->mnuNoOfWords->trigger();
            const auto &box = h.dialogs.shown.first();
            QCOMPARE((QStringList{box.text, box.title, box.defaultText, h.stored(u"Options/HowMany"_qs)}),
                     (QStringList{"How many words do you want the program to generate?", "Enter number of words", f[2], f[3]}));
            QCOMPARE(h.dialogs.messages(), message.isEmpty() ? QStringList() : QStringList{message});
            QVERIFY(message.isEmpty() || (h.dialogs.shown.last().title == u"Varnock"
                                          && h.dialogs.shown.last().icon == (message == negative ? Dialogs::Icon::Exclamation : Dialogs::Icon::Critical)));
        }
    }

    // Stored twips (the outer frame) to the frame in pixels; a value that is no usable number takes its default.
    void placement()
    {
        for (const auto &[stored, frame] : std::initializer_list<std::pair<const char *, QRect>>{ // WindowState|Height|Width|Top|Left
                 {"0|5000|4000|100|200", {13, 7, 267, 333}}, {"1| 5000 |4000| 100|200 ", {13, 7, 267, 333}} /* minimised comes back normal */,
                 {"x|5000|4000|100|200", {}} /* maximised */, {"0|5000|4000|inf", {267, 233, 267, 333}} /* centred */, {"0|5000|4000|100|11200", {533, 7, 267, 333}},
                 {"0|5000|4000|-90000|900000", {533, 0, 267, 333}}, {"0|5000|4000|11550|11100", {740, 770, 267, 333}} /* title reachable */,
                 {"0|0|4000px|0|0", {0, 0, 201, 288}}, {"0|1|4000px|0|0", {0, 0, 201, 23}}, {"0|5000|4000|90000|-900000", {0, 467, 267, 333}}}) {
            const QStringList values = QString::fromLatin1(stored).split(u'|'), keys{"WindowState", "Height", "Width", "Top", "Left"};
            MainWindowHarness h;
            for (int i = 0; i < values.size(); ++i)
                h.store(u"Window/"_qs + keys[i], values[i]);
            frmMain &w = h.open();
            QCOMPARE(w.windowState() & (Qt::WindowMaximized | Qt::WindowMinimized), frame.isNull() ? Qt::WindowMaximized : Qt::WindowNoState);
            if (!frame.isNull())
                QTRY_COMPARE(w.frameGeometry(), frame);
        }
    }

    // The test plays the window manager's frame. While a window settles, a new frame re-applies the target and a close
    // stores the target; after 40 checks a normal window lets the target go, a maximised one keeps it to return to.
    void settlingFrame()
    {
        struct Framed : WindowPlacement {
            using WindowPlacement::WindowPlacement, WindowPlacement::settleCheck;
            QMargins frame{5, 20, 5, 5};
            QMargins margins() const override { return frame; }
        };
        for (bool maximised : {false, true}) {
            MainWindowHarness h;
            QWidget window;
            Framed p(&window, h.settings, VarnockSettings::GeneticWindow);
            window.show();
            p.setOuterGeometry({1500, 1500, 3000, 3000});
            QTimer *ticks = p.findChild<QTimer *>();
            ticks->stop(); // the test makes the checks, with no event loop between them
            QCOMPARE(window.size(), QSize(190, 175));
            if (maximised)
                window.showMaximized();
            QTRY_COMPARE(window.width(), maximised ? 796 : 190);
            p.frame.setTop(19), p.save();
            QCOMPARE(h.stored(u"Genetic/WindowState"_qs) + h.stored(u"Genetic/Height"_qs), maximised ? u"212000"_qs : u"03000"_qs);
            ticks->start();
            for (int check = 1; check < 40; ++check)
                p.frame.setTop(20 + check), p.settleCheck();
            p.frame.setTop(60); // the 40th check comes from the timer
            QTRY_VERIFY(!ticks->isActive());
            QVERIFY(maximised ? p.normalOuterGeometry() == QRectF(1500, 1500, 3000, 3000) : window.height() == 136 && p.normalOuterGeometry() == p.outerGeometry());
            if (maximised) { // back to normal, it settles on the target again with each frame it gets then
                p.frame.setTop(25), window.showNormal();
                QTRY_COMPARE(window.height(), 170);
                p.frame.setTop(30);
                QTRY_COMPARE(window.height(), 165);
            }
        }
        // A manager that places the window as it maps it is overruled.
        MainWindowHarness h;
        QWidget window;
        Framed p(&window, h.settings, VarnockSettings::GeneticWindow);
        p.setOuterGeometry({1500, 1500, 3000, 3000});
        window.show();
        window.move(0, 0);
        QTRY_COMPARE(window.pos(), QPoint(100, 100));
        p.frame.setTop(40); // a frame drawn later while it settles is taken in
        QTRY_COMPARE(window.height(), 155);
        p.setOuterGeometry({0, 0, 20, 20}); // smaller than its frame: the least window there is, as X takes no empty one
        QCOMPARE(window.size(), QSize(1, 1));
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
                QTimer::singleShot(0, &w, [&w] { QTest::keyClick(w.txtFilter->lineEdit(), Qt::Key_X, Qt::ControlModifier); });
                QCOMPARE(QCoreApplication::exec(), 0); // the program's exit status
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
        // The strip's outline; its highlight edges drawn over the outline's bottom and right; nothing just inside those.
        QCOMPARE((QList<QRgb>{shot.pixel(0, 225), shot.pixel(96, 241), shot.pixel(192, 233), shot.pixel(96, 240), shot.pixel(191, 233)}),
                 (QList<QRgb>{p.color(QPalette::Dark).rgb(), p.color(QPalette::Light).rgb(), p.color(QPalette::Light).rgb(),
                              p.color(QPalette::Window).rgb(), p.color(QPalette::Window).rgb()}));
        MainLayout::Geometry sliver; // 7 twips round to no pixels: no outline at all
        sliver.Shape1 = QRectF(30, 0, 7, 255);
        ClientArea bare(sliver);
        bare.resize(9, 20);
        QCOMPARE(bare.grab().toImage().pixel(2, 5), p.color(QPalette::Window).rgb());
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

    // The box is redrawn whole: navy bar, white rest, the caption inverted under the bar; in device pixels (also run at scale 2).
    void drawProgress()
    {
        MainWindowHarness h;
        ProgressBox *box = h.open().picProgBar;
        box->show();
        box->resize(0, 0);
        const QSize empty = box->image().size(); // an empty box still has a pixel to paint on
        h.window->DrawProgress(0.5f, u"Generating..."_qs);
        QCOMPARE(empty + box->image().size(), QSize(2, 2));
        box->resize(200, 20);
        const int d = int(box->devicePixelRatio()), W = 200 * d, H = 20 * d;
        QCOMPARE(box->image().size(), QSize(W, H)); // cleared at the new size
        for (const auto &[fraction, bar] : {std::pair{0.0f, 0}, {-0.5f, 0}, {0.5f, 100}, {0.3125f, 62}, {1.0f, 200}}) {
            box->setBackColor(Qt::red); // stale content must be cleared
            h.window->DrawProgress(fraction, u"Generating..."_qs);
            const QImage image = box->image();
            int caption[2][2] = {}; // [under the bar][light]
            for (int y = 0; y < H; ++y)
                for (int x = 0; x < W; ++x) {
                    const QRgb px = image.pixel(x, y) | 0xff000000;
                    if (x < 40 * d || x > 160 * d || y == 0)
                        QCOMPARE(px, x < bar * d ? ProgressBox::navy : ProgressBox::white);
                    else if (qRed(px) < 64 || qRed(px) > 192) { // text edges are smoothed; the caption is navy, not black
                        ++caption[x < bar * d][qRed(px) > 192];
                        QVERIFY(x < bar * d || qRed(px) > 192 || qBlue(px) >= qRed(px) + 64);
                    }
                }
            QVERIFY(bar < 100 || (caption[1][1] > 10 && caption[1][0] > caption[1][1]));
            QVERIFY(bar > 100 || (caption[0][0] > 10 && caption[0][1] > caption[0][0]));
            QCOMPARE(box->grab().toImage().pixel(0, 0) | 0xff000000, bar > 0 ? ProgressBox::navy : ProgressBox::white); // from the corner
        }
        h.window->DrawProgress(1.0f, u"Populating..."_qs);
        const auto captionPixels = [box, W, H] { // light on the full bar
            int n = 0;
            for (int y = 0; y < H; ++y)
                for (int x = 0; x < W; ++x)
                    n += qRed(box->image().pixel(x, y)) > 128;
            return n;
        };
        const int small = captionPixels(); // a new font redraws the caption
        box->setFont(QFont(box->font().family(), 14));
        h.window->DrawProgress(1.0f, u"Populating..."_qs);
        QVERIFY(captionPixels() > small * 3 / 2);
        if (d > 1)
            return; // the offscreen screen grabs only a corner at scale 2
        const auto shown = [&] { return box->screen()->grabWindow(h.window->winId()).toImage().pixel(box->mapTo(h.window.get(), QPoint(5, 10))); };
        QTest::qWait(20); // nothing left to paint
        QCOMPARE(shown(), ProgressBox::navy);
        box->setBackColor(Qt::red); // a shown box repaints in its new colour, on the screen too
        QTRY_COMPARE(shown(), QColor(Qt::red).rgb());
    }

    // One scripted word per sample: the tables, pairs and case the options choose.
    void scriptedWord()
    {
        // c v c (vv) c: b, a, k, the pair "ai" (coin 0.75), n.
        const Draws bakain{P(0, 21), P(0, 5), P(7, 21), 0.75f, P(0, 21), P(10, 21)};
        const std::tuple<Stored, QString, Draws, QString> cases[] = {
            {{{"RealityMode", "False"}}, u"MARION"_qs, bakain, u"Bakain"_qs},
            {{{"RealityMode", "False"}, {"Case", "True"}}, u"mArIoN"_qs, bakain, u"bAkAiN"_qs},
            {{{"RealityMode", "False"}, {"UseDiphthongi", "False"}}, u"Marion"_qs, // two single vowels after the coin
             {P(0, 21), P(0, 5), P(7, 21), 0.75f, P(4, 5), P(1, 5), P(10, 21)}, u"Bakuen"_qs},
            {{}, u"Ida"_qs, {0.f, 0.f, 0.f}, u"Eze"_qs}}; // the reality tables
        for (const auto &[options, sample, draws, word] : cases) {
            MainWindowHarness h({{"Options/HowMany", "1"}});
            for (auto it = options.begin(); it != options.end(); ++it)
                h.store(u"Options/"_qs + it.key(), it.value());
            ScriptedRandom random(draws);
            frmMain &w = h.open(&random);
            QCOMPARE(random.reseeds(), 1); // seeded from the clock at start
            w.txtFilter->setFocus();
            BarWatcher watcher(w);
            h.typeAndEnter(sample);
            QVERIFY(watcher.widths == QList<int>{w.picProgBar->width()} && watcher.captions == QStringList{u"Sorting words..."_qs}); // one drawing, the full bar
            QCOMPARE(h.listed() + h.history() + h.disabled() << w.lblStatus->text(), (QStringList{word, sample, u"Ready."_qs}));
            QVERIFY(random.remaining() == 0 && w.picProgBar->isHidden() && w.txtFilter->hasFocus() && w.txtNames->currentIndex().row() == 0);
            QCOMPARE(w.txtFilter->lineEdit()->selectedText(), sample); // ready to be typed over
        }
    }

    // Rnd puts a fresh sample in the box with no run; Enter in an empty box runs one;
    // each text joins the history once, case-sensitively.
    void rndAndHistory()
    {
        MainWindowHarness h({{"Options/HowMany", "3"}, {"Options/KillDupes", "False"}}); // Rnd reseeds from the clock: 3 words, repeats or not
        QTest::mouseClick(h.open().cmdGo, Qt::LeftButton);
        QVERIFY(h.window->txtFilter->currentText().size() >= 4 && h.history().isEmpty() && h.listed().isEmpty());
        h.typeAndEnter(QString());
        QVERIFY2(QRegularExpression(u"^[ac]{4,13}$"_qs).match(h.window->txtFilter->currentText()).hasMatch(), qPrintable(h.window->txtFilter->currentText()));
        for (const QString &text : {u"Marion"_qs, u"marion"_qs, u"Marion"_qs, QString(), u"Ma"_qs}) // the first entry is found too
            h.typeAndEnter(text);
        QCOMPARE(h.history(), (QStringList{"", "Marion", "marion", "Ma"}));
        QVERIFY(h.listed().size() == 3 && h.listed().first().size() == 2 && h.dialogs.shown.isEmpty());
    }

    // A run that fails is reported and gives the controls back, leaving no
    // half-written file; a count that is no number makes nothing at all.
    void failures()
    {
        const char *error = "Error Number: %1\r\nError Description: %2";
        for (const auto &[run, message] : {std::pair{"generate|-5|", u"%1"_qs.arg(error).arg(9).arg(u"Subscript out of range"_qs)},
                                           {"generate|1e400|", u"%1"_qs.arg(error).arg(6).arg(u"Overflow"_qs)}, {"generate|none|", QString()},
                                           {"generate|5|plain.txt/words.txt", u"%1"_qs.arg(error).arg(76).arg(u"Path not found"_qs)},
                                           {"generate|5|folder", u"%1"_qs.arg(error).arg(75).arg(u"Path/File access error"_qs)},
                                           {"pattern|40000|", u"The words could not be generated: Overflow."_qs},
                                           {"rules|-3|", u"The words could not be generated: Subscript out of range."_qs},
                                           {"pattern|5|no/words.txt", u"The words could not be saved to \"<target>\": Path not found."_qs},
                                           {"rules|5|no/words.txt", u"The words could not be saved to \"<target>\": Path not found."_qs}}) {
            // command|count|direct-save target beside "plain.txt" and "folder/" ("" for off); "<target>" is its full path
            const QStringList r = QString::fromLatin1(run).split(u'|');
            MainWindowHarness h({{"Options/HowMany", "5"}});
            QVERIFY(QDir(h.dir.path()).mkdir(u"folder"_qs));
            writeBytes(h.dir.filePath(u"plain.txt"_qs), "");
            h.store(u"Options/DirectSaveFile"_qs, h.dir.filePath(r[2]));
            frmMain &w = h.open();
            h.typeAndEnter(u"Marion"_qs);
            const QStringList before = h.listed();
            h.store(u"Options/HowMany"_qs, r[1]);
            w.mnuDirectSave->setChecked(!r[2].isEmpty());
            h.dialogs.openAnswers = {dataFile(r[0] == u"pattern" ? "elvish.vnk" : "example.nam")};
            r[0] == u"generate" ? h.typeAndEnter(u"Ida"_qs) : (r[0] == u"pattern" ? w.mnuVarnock : w.mnuOpen)->trigger();
            QCOMPARE(h.dialogs.messages(), message.isEmpty() ? QStringList() : QStringList{QString(message).replace(u"<target>"_qs, h.dir.filePath(r[2]))});
            QVERIFY(message.isEmpty() || (h.dialogs.shown.last().title == (r[0] == u"generate" ? u"Error Occured"_qs : u"Varnock"_qs)
                                          && h.dialogs.shown.last().icon == Dialogs::Icon::Critical));
            QVERIFY(r[0] == u"generate" || w.lblStatus->text() == u"Ready.");
            QCOMPARE(h.listed() + h.disabled(), message.isEmpty() ? before : QStringList());
            // A count the run cannot take fails with the progress box showing, and it stays after the error box.
            QCOMPARE(w.picProgBar->isVisible(), r[0] == u"generate" && !message.isEmpty() && r[2].isEmpty());
            QCOMPARE(files(h.dir.path()) << fileBytes(h.dir.filePath(u"plain.txt"_qs)), (QStringList{"Varnock.conf", "folder", "plain.txt", ""}));
        }
        struct Exhausted final : RandomSource { float next() override { throw std::bad_alloc(); } void reseedFromClock() override {} } exhausted;
        MainWindowHarness h; // memory runs out as the random sample for an empty box is drawn
        h.open(&exhausted), h.typeAndEnter(QString());
        QCOMPARE(h.dialogs.messages() + h.disabled(), QStringList{u"%1"_qs.arg(error).arg(7).arg(u"Out of memory"_qs)});
    }

    // Ctrl+W (pattern) and Ctrl+O (rules) with a scripted open dialog; two words, sorted and unique.
    void fileCommands()
    {
        const QString badPattern = u"This file is not a valid Varnock file."_qs, badRules = u"This file is not a valid rules file."_qs;
        const std::tuple<QString, Draws, QString, QStringList> cases[] = {
            {{}, {}, {}, {"Kept", "Words"}}, // cancelled
            {dataFile("no_next.vnk"), {}, badPattern, {}}, {dataFile("absent.nam"), {}, badRules, {}},
            {dataFile("elvish.vnk"), {P(2, 3), P(1, 2), P(0, 1), P(1, 2), P(0, 3), P(0, 2), P(0, 2), P(0, 2)}, {}, {"Aeandor", "Gilithwen"}},
            {dataFile("empty_sections.vnk"), {}, {}, {}}, {dataFile("empty_end.nam"), {}, {}, {}},
            {dataFile("ends_in_end.nam"), {0.f, 0.f, 0.9f, 0.f, 0.f, 0.f}, badRules, {"Karador", "Karawen"}}}; // reported, then the endings read
        for (const auto &[file, draws, message, words] : cases) {
            const bool pattern = !file.endsWith(u".nam");
            ScriptedRandom random(draws);
            MainWindowHarness h({{"Options/HowMany", "2"}});
            frmMain &w = h.open(&random);
            w.namesModel->setStringList({"Kept", "Words"});
            bool disabledDuringBox = false;
            h.dialogs.onMessage = [&] { disabledDuringBox = !w.txtFilter->isEnabled(); };
            h.dialogs.openAnswers = {file, QString()};
            w.txtNames->setFocus(), QCoreApplication::processEvents(); // the panel is up; its buttons give way to the bar
            BarWatcher watcher(w);
            QTest::keyClick(&w, pattern ? Qt::Key_W : Qt::Key_O, Qt::ControlModifier);
            QCOMPARE(h.dialogs.shown.first().title + u'|' + h.dialogs.shown.first().defaultText,
                     (pattern ? u"Open rules file|vnk|%1|Varnock files=*.vnk|All Files=*.*"_qs : u"Open rules file|nam|%1|Name Files=*.nam;*.txt|All Files=*.*"_qs)
                         .arg(QCoreApplication::applicationDirPath()));
            QCOMPARE(h.dialogs.messages(), message.isEmpty() ? QStringList() : QStringList{message});
            QVERIFY(message.isEmpty() || (h.dialogs.shown.last().title == u"Varnock" && h.dialogs.shown.last().icon == Dialogs::Icon::Critical && disabledDuringBox));
            QCOMPARE(h.listed() + h.disabled(), words);
            QVERIFY(random.remaining() == 0 && w.picProgBar->isHidden() != draws.empty() && !watcher.buttonsShown); // no run: the panel stays
            QCOMPARE(watcher.captions, draws.empty() ? QStringList() : QStringList{pattern ? u"Generating words..."_qs : u"Sorting words..."_qs});
            QCOMPARE(w.patternSections().maxCount(), 0); // entries are read afresh on every use
            QTest::keyClick(&w, pattern ? Qt::Key_W : Qt::Key_O, Qt::ControlModifier); // asked anew
            QCOMPARE(h.dialogs.shown.last().kind, u"open"_qs);
        }
    }

    void progressAndControlsDuringRun()
    {
        MainWindowHarness h({{"Options/HowMany", "20"}, {"Options/FastMode", "False"}});
        frmMain &w = h.open();
        QStringList during;
        QTimer::singleShot(0, &w, [&] {
            during = h.disabled() << w.lblStatus->text();
            QTest::keyClick(&w, Qt::Key_F, Qt::ControlModifier); // must not change a flag mid-run
        });
        h.typeAndEnter(u"Marion"_qs);
        QCOMPARE(during, MainWindowHarness::runControls + QStringList{"Sorting words..."});
        QVERIFY(!w.mnuFast->isChecked() && h.stored(u"Options/FastMode"_qs) == u"False");
        QTest::keyClick(&w, Qt::Key_Q, Qt::ControlModifier);
        h.typeAndEnter(u"Ida"_qs);
        QVERIFY(!w.mnuKillDupes->isEnabled() && w.mnuSort->isEnabled()); // items keep their own state through a run
    }

    // What a run hands over, in the list or (direct save) in the file; the statuses on the way.
    void orderings()
    {
        const QStringList generated{"Ela", "Abo", "Ela", "Cid", "abo", "Abo", "Ela"}, unique{"Abo", "Cid", "Ela", "abo"};
        const std::tuple<const char *, QStringList, QStringList, QStringList> cases[] = { // Sort, KillDupes, FastMode, DirectSave
            {"1110", generated, unique, {"Sorting words...", "Erasing Duplicates...", "Populating..."}},
            {"1000", generated, {"Abo", "Abo", "Cid", "Ela", "Ela", "Ela", "abo"}, {"Sorting words...", "Populating..."}},
            {"0110", generated, generated, {"Populating..."}}, {"1101", generated, unique, {"Sorting words...", "Erasing Duplicates..."}},
            {"1111", {}, {}, {"Sorting words...", "Erasing Duplicates..."}}, {"0011", {u"\u00c4r\u00f6"_qs}, {u"\u00c4r\u00f6"_qs}, {}}};
        for (const auto &[options, words, expected, statuses] : cases) {
            const auto flag = [&](int i) { return options[i] == '1' ? u"True"_qs : u"False"_qs; };
            MainWindowHarness h({{"Options/Sort", flag(0)}, {"Options/KillDupes", flag(1)}, {"Options/FastMode", flag(2)}, {"Options/DirectSave", flag(3)}});
            const QString path = h.dir.filePath(u"words.txt"_qs);
            writeBytes(path, "earlier content that is longer than the new one\r\n");
            h.store(u"Options/DirectSaveFile"_qs, path);
            frmMain &w = h.open();
            QStringList seen;
            QTimer watch; // a status shown with the list visible while it fills is marked "!"
            QObject::connect(&watch, &QTimer::timeout, [&] {
                const QString now = w.lblStatus->text() + (w.lblStatus->text() == u"Populating..." && w.txtNames->isVisible() ? u"!"_qs : QString());
                if (now != u"Varnock ready." && !seen.contains(now))
                    seen << now;
            });
            watch.start(0);
            w.EnableControls(false);
            w.words() = QStringList{QString()} + words;
            w.PopulateList();
            QCOMPARE(seen, statuses);
            QVERIFY(w.txtNames->isVisible() && w.lblStatus->text() == u"Ready." && h.disabled().isEmpty());
            QCOMPARE(fileBytes(path), options[3] == '1' ? QString(expected.join(u"\r\n"_qs) + (expected.isEmpty() ? u""_qs : u"\r\n"_qs)).toUtf8()
                                                        : QByteArray("earlier content that is longer than the new one\r\n"));
            QCOMPARE(h.listed(), options[3] == '1' ? QStringList() : expected);
        }
    }

    // Ctrl+S writes the selected entries (a bar drawn per step in a 191-pixel box); a failure keeps the earlier file.
    void saveSelectedEntries()
    {
        const QStringList five{"Alpha", "Brakmon", "Cel", "Dorwen", "Elf"};
        const std::tuple<QStringList, QList<int>, const char *, QByteArray, QList<int>> cases[] = {
            {five, {1, 3}, "saved.txt", "Brakmon\r\nDorwen\r\n", {0, 38, 76, 115, 153, 191}},
            {five, {}, "saved.txt", "", {0, 38, 76, 115, 153, 191}}, {{}, {}, "saved.txt", "", {0}},
            {{u"\u00c9la"_qs, "Zed"}, {0, 1}, "saved.txt", "\xc3\x89la\r\nZed\r\n", {0, 96, 191}}, // halves round to even
            {five, {1}, "", "earlier\r\n", {}}, {five, {1}, "absent/words.txt", "earlier\r\n", {0}}};
        for (const auto &[entries, selected, target, expected, bars] : cases) {
            MainWindowHarness h({{"Window/WindowState", "0"}});
            ScriptedRandom nine(Draws(9, 0.f)); // one word's draws and no more
            frmMain &w = h.open(&nine);
            w.resize(193, w.menuBar()->height() + 242);
            QTRY_COMPARE(w.picProgBar->width(), 191);
            w.namesModel->setStringList(entries);
            for (int row : selected)
                w.txtNames->selectionModel()->select(w.namesModel->index(row), QItemSelectionModel::Select);
            w.lblStatus->setText(u"Before"_qs);
            writeBytes(h.dir.filePath(u"saved.txt"_qs), "earlier\r\n");
            h.dialogs.inputAnswers = {*target ? h.dir.filePath(QString::fromLatin1(target)) : QString()};
            BarWatcher watcher(w);
            QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier);
            const ScriptedDialogs::Shown &box = h.dialogs.shown.first();
            QCOMPARE(box.title + u'|' + box.text, u"Save Words|Enter the path of the file you want to save your words to:"_qs);
            QCOMPARE(box.defaultText, QDir::homePath() + u"/Zzezzez.txt"_qs); // "ccvccvc": seven letters, two coins; the test home has no Documents
            QCOMPARE(files(h.dir.path()) << fileBytes(h.dir.filePath(u"saved.txt"_qs)), (QStringList{"Varnock.conf", "saved.txt", expected}));
            QCOMPARE(h.dialogs.messages(), QString(target).startsWith(u"absent")
                         ? QStringList{u"The words could not be saved to \"%1\": Path not found."_qs.arg(h.dir.filePath(u"absent/words.txt"_qs))} : QStringList());
            QCOMPARE(w.lblStatus->text(), *target ? u"Ready."_qs : u"Before"_qs);
            QVERIFY(w.picProgBar->isHidden() && h.listed() == entries && selectedRows(w) == selected.size());
            QCOMPARE(watcher.widths, bars);
        }
    }

    void directSaveToggle()
    {
        MainWindowHarness h({{"Options/DirectSaveFile", "/old/place.txt"}});
        frmMain &w = h.open();
        const QString chosen = h.dir.filePath(u"direct.txt"_qs);
        const auto state = [&] {
            return QStringList{h.stored(u"Options/DirectSave"_qs), h.stored(u"Options/DirectSaveFile"_qs), w.mnuDirectSave->data().toString(),
                               QString::number(w.mnuDirectSave->isChecked() * 100 + w.mnuCopy->isEnabled() * 10 + w.mnuSave->isEnabled())};
        };
        // On, from a maximised window: it leaves that state for 1000 twips high; off: 4545 twips, the path kept.
        h.dialogs.inputAnswers = {chosen, QString()};
        for (const auto &[on, height] : {std::pair{true, 67}, {false, 303}, {false, 303} /* cancelled */}) {
            QTest::keyClick(&w, Qt::Key_D, Qt::ControlModifier);
            QCOMPARE(state(), (QStringList{on ? "True" : "False", chosen, chosen, on ? "100" : "11"}));
            QVERIFY(!(w.windowState() & Qt::WindowMaximized));
            QTRY_COMPARE(w.frameGeometry().height(), height);
        }
        QCOMPARE(QString::number(h.dialogs.shown.size()) + h.dialogs.shown[0].title + u'|' + h.dialogs.shown[0].text, u"2Direct Save|Enter the path of the file you want to save your words to:"_qs);
        QVERIFY2(QRegularExpression(u"/[A-Z][a-z]{3,}\\.txt$"_qs).match(h.dialogs.shown[0].defaultText).hasMatch(), qPrintable(h.dialogs.shown[0].defaultText));
        // Off from a maximised compact window: the size stays, and the list is laid out again at once.
        h.dialogs.inputAnswers = {chosen};
        QTest::keyClick(&w, Qt::Key_D, Qt::ControlModifier);
        w.showMaximized();
        QTRY_COMPARE(w.width(), 796);
        QTest::keyClick(&w, Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(w.txtNames->geometry(), QRect(0, 23, 796, 733));
        const QPoint outline = w.client->mapTo(&w, QPoint(0, w.lblStatus->y() - 1)); // the strip's outline is drawn on the screen again
        QTRY_COMPARE(w.screen()->grabWindow(w.winId()).toImage().pixel(outline), w.client->palette().color(QPalette::Dark).rgb());
    }

    void clipboardSelectionAndPanel()
    {
        MainWindowHarness h({{"List/0", "kaelor"}, {"List/1", "brim"}, {"Options/HowMany", "3"}});
        frmMain &w = h.open();
        h.typeAndEnter(u"Marion"_qs); // after a run has put the focus back, the user's moves count again
        const QStringList names{"Ael", "Brin", "Cor", "Dun", "Eth"};
        w.namesModel->setStringList(names);
        for (int row : {0, 3})
            QTest::mouseClick(w.txtNames->viewport(), Qt::LeftButton, Qt::ControlModifier, w.txtNames->visualRect(w.namesModel->index(row)).center());
        QTest::keyClick(&w, Qt::Key_G, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), u"Ael\r\nDun\r\n"_qs);
        // The list has the focus: the panel shows in the window's colour.
        QVERIFY(w.picProgBar->isVisible() && w.cmdSelAll->isVisible() && w.cmdSelNone->isVisible());
        QCOMPARE(w.picProgBar->backColor(), w.palette().color(QPalette::Active, QPalette::Window));
        for (const auto &[button, rows] : {std::pair{w.cmdSelAll, 1}, {w.cmdSelAll, 5}, {w.cmdSelNone, 0}}) {
            if (rows > 0)
                w.namesModel->setStringList(names.first(rows));
            w.txtNames->setCurrentIndex(w.namesModel->index(w.namesModel->rowCount() - 1));
            QTest::mouseClick(button, Qt::LeftButton);
            QVERIFY(selectedRows(w) == rows && w.txtNames->currentIndex().row() == 0 && w.txtNames->isVisible());
        }
        w.mnuCopy->trigger();
        QVERIFY(QGuiApplication::clipboard()->text().isEmpty());
        // Rnd takes the focus: the white status box is back, the panel gone.
        QTest::mouseClick(w.cmdGo, Qt::LeftButton);
        QTRY_VERIFY(w.picProgBar->isHidden() && w.cmdSelAll->isHidden() && w.cmdSelNone->isHidden());
        QCOMPARE(w.picProgBar->backColor(), QColor(Qt::white));
        QTest::keyClick(&w, Qt::Key_L, Qt::ControlModifier); // clears the history, stored and shown
        QVERIFY(h.history().isEmpty() && w.txtFilter->currentText().isEmpty() && fileBytes(h.iniPath) == "[Options]\nHowMany=3\n"); // on disk at once
        // The words cannot be edited, and Enter makes words only from the filter box.
        QTest::mouseDClick(w.txtNames->viewport(), Qt::LeftButton, {}, w.txtNames->visualRect(w.namesModel->index(0)).center());
        QTest::keyClick(w.txtNames, Qt::Key_F2);
        const QStringList shown = w.namesModel->stringList();
        QTest::keyClick(w.txtNames, Qt::Key_Return);
        QVERIFY(w.namesModel->stringList() == shown && w.txtNames->findChildren<QLineEdit *>().isEmpty());
        // The list's own delegate paints a row's word 3 pixels in, centred, on the highlight that fills the row alone.
        QStyleOptionViewItem row;
        row.initFrom(w.txtNames);
        row.rect = QRect(0, 10, 120, 40), row.state |= QStyle::State_Selected, row.font.setPixelSize(24); // in the list's font
        const auto paintRow = [&] {
            QImage image(120, 60, QImage::Format_RGB32);
            image.fill(Qt::white);
            QPainter painter(&image);
            w.txtNames->itemDelegate()->paint(&painter, row, w.namesModel->index(0));
            return image;
        };
        const QImage image = paintRow();
        row.state |= QStyle::State_HasFocus | QStyle::State_KeyboardFocusChange; // a row reached by keys has its focus frame
        QVERIFY(paintRow() != image);
        QRect ink;
        int lit = 0; // lighter than the highlight, as its text is
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 120; ++x) {
                ink |= image.pixel(x, y) != (y < 10 || y >= 50 ? 0xffffffff : image.pixel(119, 10)) ? QRect(x, y, 1, 1) : QRect();
                lit += y >= 10 && y < 50 && qGray(image.pixel(x, y)) > qGray(image.pixel(119, 10)) + 40;
            }
        QVERIFY(w.txtNames->itemDelegate()->inherits("WordListDelegate") && lit > 10 && ink.left() >= 3 && ink.left() <= 5
                && std::abs(ink.center().y() - 30) <= 3 && ink.top() > 10 && ink.bottom() < 50 && ink.height() >= 14);
        QCOMPARE(w.txtNames->visualRect(w.namesModel->index(1)).top(), w.txtNames->fontMetrics().height() + 2); // rows a line and 2 pixels apart
        w.namesModel->setStringList({QString(300, u'W')}); // wider than the list: the word and 3 pixels either side
        QCOMPARE(w.txtNames->visualRect(w.namesModel->index(0)).width(), w.txtNames->fontMetrics().horizontalAdvance(QString(300, u'W')) + 6);
    }

    // Each program names itself to the desktop, shows its window and runs until it ends.
    void programStart()
    {
        for (const auto &[run, name, icon] : {std::tuple{&runVarnock, "Varnock", AppIcons::varnock()}, {&kestrin::runKestrin, "Kestrin", AppIcons::kestrin()}}) {
            QStringList shown;
            QTimer::singleShot(0, [&shown] {
                for (const QWidget *window : QApplication::topLevelWidgets())
                    if (window->isVisible())
                        shown << QString::fromLatin1(window->metaObject()->className()) + u'/' + window->objectName();
                QCoreApplication::exit(7);
            });
            QCOMPARE(run(), 7);
            QCOMPARE(shown, QStringList{QString::fromLatin1(name) == u"Varnock" ? u"frmMain/frmMain"_qs : u"kestrin::frmMain/frmMain"_qs});
            QVERIFY(QApplication::applicationName() == name && QApplication::organizationName() == name
                    && QApplication::desktopFileName() == u"org.varnock."_qs + name);
            QCOMPARE(QApplication::windowIcon().pixmap(32).toImage(), icon.pixmap(32).toImage());
        }
    }
};

QTEST_MAIN(TestShell)
#include "test_shell.moc"
