// The shell's parts on their own: layout arithmetic, placement limits, the
// settings store, the system-information lookup, the About box, the real
// dialogs and what a screen reader is told.
#include "genetic/frmGenetic.h"
#include "shell/MainLayout.h"
#include "shell/Placement.h"
#include "shell/QtDialogs.h"
#include "shell/SystemInfo.h"
#include "shell/frmAbout.h"
#include "substitute/frmKestrin.h"
#include "support/MainWindowHarness.h"

#include <QtTest/QtTest>
#include <QtWidgets>
#include <map>

namespace {
// A registry holding the given values, keyed by "root in hex|key|value".
struct FakeRegistry final : SystemInfo::Registry {
    std::map<QString, std::pair<std::uint32_t, QByteArray>> values;
    bool queryValue(std::uint32_t root, const QString &key, const QString &name, std::uint32_t &type, QByteArray &data) override
    {
        const auto it = values.find(QString::number(root, 16) + u'|' + key + u'|' + name);
        if (it == values.end())
            return false;
        std::tie(type, data) = it->second;
        return true;
    }
};
const QString PathKey = u"80000002|SOFTWARE\\Microsoft\\Shared Tools\\MSINFO|PATH"_qs;
const QString FolderKey = u"80000002|SOFTWARE\\Microsoft\\Shared Tools Location|MSINFO"_qs;

// Runs check on the modal window that opens once control returns to the event loop.
void whenModal(const std::function<void(QWidget *)> &check)
{
    QTimer::singleShot(0, [check] {
        QTRY_VERIFY(QApplication::activeModalWidget());
        check(QApplication::activeModalWidget());
    });
}
} // namespace

class TestParts : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void layoutPass()
    {
        MainLayout::Geometry g;
        MainLayout::layoutPass(g, 2894.5, 3629.5, false); // CH - 255 and CW go half to even
        QCOMPARE(g.Shape1, QRectF(0, 3369, 2894, 255));
        MainLayout::layoutPass(g, 2895, 3630, false);
        QCOMPARE(g.Shape1, QRectF(0, 3370, 2895, 255));
        QCOMPARE(g.Line1[0], QLineF(5, 3620, 2895, 3620));
        QCOMPARE(g.Line1[1], QLineF(2880, 3380, 2880, 3625));
        QCOMPARE(g.cmdSelNone, QRectF(2865 - 1382.5, 0, 1382.5, 230)); // half the box less 50, right-aligned
        // Too narrow and low: only the steps that fail keep their last geometry.
        MainLayout::layoutPass(g, 500, 3630, false);
        QCOMPARE(g.txtFilter, QRectF(0, 0, 2355, 315));
        QCOMPARE(g.cmdGo, QRectF(5, 0, 495, 315));
        MainLayout::layoutPass(g, 40, 600, false);
        QCOMPARE(g.txtNames, QRectF(0, 350, 500, 2965));
        QCOMPARE(g.lblStatus, QRectF(30, 3395, 455, 230));
        QCOMPARE(g.picProgBar, QRectF(15, 3395, 470, 230));
        QCOMPARE(g.Shape1, QRectF(0, 340, 40, 255));
        QCOMPARE(g.Line1[1], QLineF(25, 350, 25, 595));
        QCOMPARE(g.cmdSelAll.width(), 185.0);
        // Direct save places only the top row.
        MainLayout::layoutPass(g, 4000, 300, true);
        QCOMPARE(g.cmdGo.left(), 3505.0);
        QCOMPARE(g.txtFilter.width(), 3460.0);
        QCOMPARE(g.Shape1, QRectF(0, 340, 40, 255));
    }

    // Rows in pixels on two 1000 x 800 screens side by side; placement works in twips.
    void keepOnScreen()
    {
        const auto twips = [](const QRectF &px) { return QRectF(px.topLeft() * 15, px.size() * 15); };
        const QList<QRectF> screens{twips(QRectF(0, 0, 1000, 800)), twips(QRectF(1000, 0, 1000, 800))};
        const std::pair<QRectF, QRectF> cases[] = {
            {{900, 700, 300, 200}, {900, 700, 300, 200}},   {{100, -500, 300, 200}, {100, 0, 300, 200}},
            {{5000, 100, 300, 200}, {700, 100, 300, 200}},  {{1100, 100, 300, 200}, {1100, 100, 300, 200}},
            {{-4000, -4000, 3000, 3000}, {0, 0, 3000, 3000}}, {{-290, 100, 300, 200}, {0, 100, 300, 200}},
            {{1940, 100, 300, 200}, {1940, 100, 300, 200}}, {{1941, 100, 300, 200}, {700, 100, 300, 200}},
            {{100, 799, 300, 200}, {100, 799, 300, 200}},   {{100, 800, 300, 200}, {100, 600, 300, 200}}};
        for (const auto &[window, expected] : cases) {
            QCOMPARE(Placement::keepOnScreen(twips(window), screens), twips(expected));
            QCOMPARE(Placement::keepOnScreen(twips(window), {}), twips(window));
        }
    }

    void settingsStore()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"s.conf"_qs);
        SettingsStore store(u"Varnock"_qs, path);
        QCOMPARE(store.getFlag(u"Options"_qs, u"Sort"_qs, true), true);
        QVERIFY(!QFile::exists(path)); // reading defaults writes nothing
        for (const auto &[text, fallback, value] : {std::tuple{"TRUE", false, true}, {"fAlSe", true, false}, {"-1", false, true},
                                                    {"0", true, false}, {"maybe", true, true}, {"maybe", false, false}, {"", true, true}}) {
            store.save(u"Options"_qs, u"Flag"_qs, QString::fromLatin1(text));
            QCOMPARE(store.getFlag(u"Options"_qs, u"Flag"_qs, fallback), value);
        }
        for (const QString &value : {u"C:\\fdkdsfk.txt"_qs, u"Ana, Bo,Cy"_qs, u"x=y;z #no comment"_qs, u"  say \"hi\"  "_qs, u"M\u00fcller"_qs, QString()}) {
            store.save(u"List"_qs, u"0"_qs, value);
            QCOMPARE(SettingsStore(u"Varnock"_qs, path).get(u"List"_qs, u"0"_qs, u"absent"_qs), value);
        }
        store.save(u"List"_qs, u"1"_qs, u"Yvonne"_qs);
        store.deleteSection(u"List"_qs);
        QCOMPARE(QSettings(path, QSettings::IniFormat).allKeys(), QStringList{u"Options/Flag"_qs});
        writeBytes(path, "[Options]\nHowMany=750\nDirectSaveFile=a,b\n"); // edited by hand
        QCOMPARE(store.get(u"Options"_qs, u"HowMany"_qs, u"500"_qs), u"750"_qs);
        QCOMPARE(store.get(u"Options"_qs, u"DirectSaveFile"_qs, QString()), u"a,b"_qs);
        SettingsStore user(u"Varnock"_qs);
        QCOMPARE(user.filePath(), qEnvironmentVariable("XDG_CONFIG_HOME") + u"/Varnock/Varnock.conf"_qs);
    }

    void systemInfo()
    {
        using namespace SystemInfo;
        const std::tuple<uint, QByteArray, QString> values[] = {
            {RegDword, QByteArray::fromHex("03020100"), u"66051"_qs}, {RegDword, QByteArray::fromHex("00000080"), u"-2147483648"_qs},
            {RegSz, QByteArray("C:\\Tools\0", 9), u"C:\\Tools"_qs}, {RegSz, QByteArray("C:\\Tools"), u"C:\\Tools"_qs},
            {RegSz, QByteArray("ab\0\0", 4), QString::fromLatin1("ab\0", 3)}, {3u, QByteArray::fromHex("0102"), u"old"_qs},
            {RegDword, QByteArray::fromHex("0102"), u"old"_qs}};
        for (const auto &[type, data, expected] : values) {
            QString value = u"old"_qs;
            decodeValue(type, data, value);
            QCOMPARE(value, expected);
        }
        FakeRegistry registry;
        registry.values[PathKey] = {RegSz, QByteArray(1024, 'x')};
        registry.values[FolderKey] = {RegSz, QByteArray(1025, 'x')};
        QString value;
        QVERIFY(GetKeyValue(registry, 0x80000002, u"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"_qs, u"PATH"_qs, value));
        QCOMPARE(value, QString(1024, u'x'));
        QVERIFY(!GetKeyValue(registry, 0x80000002, u"SOFTWARE\\Microsoft\\Shared Tools Location"_qs, u"MSINFO"_qs, value));
        QCOMPARE(value, QString()); // one byte over the buffer: missing
        // path value | folder value | files there | viewers installed | start works -> what is started
        const std::tuple<QString, QString, QStringList, QStringList, bool, QStringList> starts[] = {
            {u"C:\\Missing\\info.exe"_qs, {}, {}, {}, true, {u"C:\\Missing\\info.exe"_qs}},
            {u"C:\\Missing\\info.exe"_qs, {}, {}, {u"hardinfo"_qs}, false, {u"C:\\Missing\\info.exe"_qs}},
            {{}, u"C:\\Tools"_qs, {u"C:\\Tools\\MSINFO32.EXE"_qs}, {}, true, {u"C:\\Tools\\MSINFO32.EXE"_qs}},
            {{}, u"C:\\Tools"_qs, {}, {u"hardinfo"_qs}, true, {}},
            {{}, {}, {}, {u"kinfocenter"_qs, u"gnome-system-monitor"_qs}, true, {u"/usr/bin/kinfocenter"_qs}},
            {{}, {}, {}, {}, true, {}}};
        for (const auto &[pathValue, folderValue, files, viewers, works, expected] : starts) {
            FakeRegistry r;
            if (!pathValue.isEmpty())
                r.values[PathKey] = {RegSz, pathValue.toLocal8Bit() + '\0'};
            if (!folderValue.isEmpty())
                r.values[FolderKey] = {RegSz, folderValue.toLocal8Bit()};
            QStringList started;
            const Platform platform{&r, [&](const QString &p) { return files.contains(p); },
                                    [&](const QString &n) { return viewers.contains(n) ? u"/usr/bin/"_qs + n : QString(); },
                                    [&](const QString &p) { started << p; return works; }};
            QCOMPARE(startTool(platform), !expected.isEmpty() && works);
            QCOMPARE(started, expected);
        }
    }

    void aboutBox()
    {
        for (const auto &[howMany, quoted] : {std::pair{"", "500"}, {"abc", "0"}, {"12.5", "12.5"}, {"40 words", "40"}, {"1e999", "500"}}) {
            MainWindowHarness h(*howMany ? QMap<QString, QString>{{u"Options/HowMany"_qs, QString::fromLatin1(howMany)}} : QMap<QString, QString>());
            SystemInfo::NoRegistry none;
            QStringList started;
            frmAbout about(h.settings, h.dialogs, {&none, [](const QString &) { return false; }, [](const QString &) { return QString(); },
                                                   [&](const QString &p) { started << p; return true; }});
            QCOMPARE(about.lblDescription->text(), u"Varnock generates words of a particular form. When you enter a word in the box, it "
                                                   "is analyzed and %1 new words based on your filter are generated."_qs.arg(quoted));
            QCOMPARE(about.windowTitle() + u'|' + about.lblTitle->text() + u'|' + about.lblVersion->text(),
                     u"About Varnock|Varnock|Version " VARNOCK_EXPECTED_VERSION ""_qs);
            QVERIFY(!about.picIcon->pixmap().isNull());
            QCOMPARE(about.size(), QSize(382, 237));
            QList<QRect> at;
            for (QWidget *c : std::initializer_list<QWidget *>{about.picIcon, about.lblTitle, about.lblVersion, about.lblDescription,
                                                              about.Line1_0, about.Line1_1, about.lblDisclaimer, about.cmdOK, about.cmdSysInfo})
                at << c->geometry();
            QCOMPARE(at, (QList<QRect>{{20, 16, 36, 36}, {70, 16, 259, 32}, {70, 52, 259, 15}, {70, 72, 259, 78}, {7, 164, 370, 2},
                                       {6, 164, 371, 1}, {4, 168, 270, 67}, {283, 175, 84, 23}, {284, 205, 83, 23}}));
            QCOMPARE(about.Line1_1->palette().color(QPalette::Window), QColor(0x80, 0x80, 0x80));
            QVERIFY(about.lblTitle->font().bold());
            about.show();
            QVERIFY(QTest::qWaitForWindowActive(&about));
            // System Info: nothing to start says so and the box stays; Enter and Esc close it.
            QTest::mouseClick(about.cmdSysInfo, Qt::LeftButton);
            QCOMPARE(h.dialogs.shown.size(), 1);
            QCOMPARE(h.dialogs.shown[0].text + u'|' + h.dialogs.shown[0].title, u"System Information Is Unavailable At This Time|Varnock"_qs);
            QCOMPARE(h.dialogs.shown[0].icon, Dialogs::Icon::None);
            QVERIFY(about.isVisible());
            QTest::keyClick(QApplication::focusWidget(), *quoted == '5' ? Qt::Key_Return : Qt::Key_Escape);
            QVERIFY(!about.isVisible());
            QCOMPARE(about.result(), *quoted == '5' ? int(QDialog::Accepted) : int(QDialog::Rejected));
        }
    }

    // The real boxes, answered by keys as a user would.
    void realDialogs()
    {
        QtDialogs dialogs;
        QWidget owner;
        whenModal([](QWidget *box) {
            auto *message = qobject_cast<QMessageBox *>(box);
            QVERIFY(message && message->icon() == QMessageBox::Critical && message->windowTitle() == u"T" && message->text() == u"Text");
            QTest::keyClick(box, Qt::Key_Return);
        });
        dialogs.message(&owner, u"Text"_qs, u"T"_qs, Dialogs::Icon::Critical);
        for (const auto &[key, yes] : {std::pair{QMessageBox::Yes, true}, {QMessageBox::No, false}}) {
            whenModal([key](QWidget *box) {
                auto *question = qobject_cast<QMessageBox *>(box);
                QVERIFY(question && question->icon() == QMessageBox::Question && question->text() == u"Sure?");
                question->button(key)->click();
            });
            QCOMPARE(dialogs.askYesNo(&owner, u"Sure?"_qs, u"T"_qs), yes);
        }
        for (const bool accept : {true, false}) {
            whenModal([accept](QWidget *box) {
                auto *input = qobject_cast<QInputDialog *>(box);
                QVERIFY(input && input->labelText() == u"Prompt" && input->textValue() == u"pre" && input->windowTitle() == u"T");
                QLineEdit *edit = input->findChild<QLineEdit *>();
                edit->selectAll();
                QTest::keyClicks(edit, u"typed"_qs);
                QTest::keyClick(edit, accept ? Qt::Key_Return : Qt::Key_Escape);
            });
            QCOMPARE(dialogs.inputBox(&owner, u"Prompt"_qs, u"T"_qs, u"pre"_qs), accept ? u"typed"_qs : QString());
        }
        // A typed name that does not exist asks whether to create it; No asks for a name again.
        QTemporaryDir dir;
        writeBytes(dir.filePath(u"there.nam"_qs), "");
        int opened = 0;
        const std::function<void(QWidget *)> answer = [&](QWidget *box) {
            if (auto *files = qobject_cast<QFileDialog *>(box)) {
                QCOMPARE(files->nameFilters(), (QStringList{"Name Files (*.nam *.txt)", "All Files (*)"}));
                QCOMPARE(files->directory().path(), dir.path());
                auto *name = files->findChild<QLineEdit *>(u"fileNameEdit"_qs);
                QTest::keyClicks(name, ++opened == 3 ? u"there"_qs : u"new"_qs);
                QTest::keyClick(name, Qt::Key_Return);
            } else {
                QVERIFY(qobject_cast<QMessageBox *>(box)->text() == u"new.nam\nThis file does not exist.\nDo you want to create the file?");
                qobject_cast<QMessageBox *>(box)->button(opened == 1 ? QMessageBox::No : QMessageBox::Yes)->click();
            }
            if (opened < 3)
                whenModal(answer);
        };
        whenModal(answer);
        QCOMPARE(dialogs.openFile(&owner, u"Open"_qs, {{"Name Files", "*.nam;*.txt"}, {"All Files", "*.*"}}, u"nam"_qs, dir.path()),
                 dir.filePath(u"new.nam"_qs));
        QCOMPARE(dialogs.openFile(&owner, u"Open"_qs, {{"Name Files", "*.nam;*.txt"}, {"All Files", "*.*"}}, u"nam"_qs, dir.path()),
                 dir.filePath(u"there.nam"_qs));
    }

    // Every control that takes the focus has a name a screen reader can say.
    void accessibleNames()
    {
        MainWindowHarness h;
        frmAbout about(h.settings, h.dialogs);
        frmGenetic genetic(h.settings, h.seeded, h.dialogs);
        kestrin::frmMain kestrin(h.settings, h.seeded, h.dialogs);
        QStringList unnamed;
        for (QWidget *window : std::initializer_list<QWidget *>{&h.open(nullptr, false), &about, &genetic, &kestrin})
            for (QWidget *c : window->findChildren<QWidget *>())
                if (c->window() == window && c->focusPolicy() & Qt::TabFocus && !c->focusProxy() && !c->parentWidget()->inherits("QAbstractItemView")
                    && !c->parentWidget()->inherits("QComboBox") && !qobject_cast<QMenu *>(c) && c->accessibleName().isEmpty())
                    unnamed << QString::fromLatin1(c->metaObject()->className()) + u" "_qs + c->objectName();
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(u","_qs)));
    }
};

int runParts(int argc, char **argv)
{
    TestParts test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_parts.moc"
