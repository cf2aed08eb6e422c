// The shell's parts on their own: layout arithmetic, placement limits, the
// settings store, the system-information lookup, the About box, the real
// dialogs and what a screen reader is told.
#include "genetic/frmGenetic.h"
#include "shell/MainLayout.h"
#include "shell/QtDialogs.h"
#include "shell/SystemInfo.h"
#include "shell/frmAbout.h"
#include "substitute/frmKestrin.h"
#include "support/MainWindowHarness.h"

#include <map>

namespace {
// A registry holding the given values, keyed by "key|value" under HKEY_LOCAL_MACHINE.
struct FakeRegistry final : SystemInfo::Registry {
    std::map<QString, std::pair<std::uint32_t, QByteArray>> values;
    bool queryValue(std::uint32_t root, const QString &key, const QString &name, std::uint32_t &type, QByteArray &data) override
    {
        const auto it = values.find(key + u'|' + name);
        if (root != 0x80000002 || it == values.end())
            return false;
        std::tie(type, data) = it->second;
        return true;
    }
};
const QString PathKey = u"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO|PATH"_qs, FolderKey = u"SOFTWARE\\Microsoft\\Shared Tools Location|MSINFO"_qs;

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
    // The window checks the designed size; here the steps that round or fail.
    void layoutPass()
    {
        MainLayout::Geometry g;
        MainLayout::layoutPass(g, 2894.5, 3629.5, false); // CH - 255 and CW go half to even
        QCOMPARE(g.Shape1, QRectF(0, 3369, 2894, 255));
        MainLayout::layoutPass(g, 500, 3630, false);
        QCOMPARE(g.txtFilter.united(g.cmdGo), QRectF(0, 0, 2354.5, 315)); // too narrow: the filter box keeps its last size
        MainLayout::layoutPass(g, 40, 600, false);
        QCOMPARE((QList<QRectF>{g.txtNames, g.lblStatus, g.picProgBar, g.Shape1}),
                 (QList<QRectF>{{0, 350, 500, 2965}, {30, 3395, 455, 230}, {15, 3395, 470, 230}, {0, 340, 40, 255}}));
        QCOMPARE(g.Line1[1], QLineF(25, 350, 25, 595));
        QCOMPARE(g.cmdSelAll.width(), 185.0);
        MainLayout::layoutPass(g, 4000, 300, true); // direct save places only the top row
        QCOMPARE((QList<QRectF>{g.cmdGo, g.txtFilter, g.Shape1}), (QList<QRectF>{{3505, 0, 495, 315}, {0, 0, 3460, 315}, {0, 340, 40, 255}}));
    }

    void systemInfo()
    {
        using namespace SystemInfo;
        for (const auto &[type, data, expected] : {std::tuple{uint(RegDword), QByteArray::fromHex("00000080"), u"-2147483648"_qs},
                                                   {uint(RegSz), QByteArray("ab\0\0", 4), QString::fromLatin1("ab\0", 3)},
                                                   {uint(RegSz), QByteArray("C:\\Tools"), u"C:\\Tools"_qs},
                                                   {3u, QByteArray::fromHex("0102"), u"old"_qs}, {uint(RegDword), QByteArray::fromHex("0102"), u"old"_qs}}) {
            QString value = u"old"_qs;
            decodeValue(type, data, value);
            QCOMPARE(value, expected);
        }
        // path value | folder value (1025 bytes: one over the buffer) | viewers installed | start works -> what is started
        const QString exe = u"C:\\Missing\\info.exe"_qs, tool = u"C:\\Tools\\MSINFO32.EXE"_qs;
        for (const auto &[pathValue, folderValue, viewers, works, expected] : std::initializer_list<std::tuple<QString, QByteArray, QStringList, bool, QStringList>>{
                 {exe, {}, {}, true, {exe}}, {exe, {}, {"hardinfo"}, false, {exe}}, {{}, "C:\\Tools", {}, true, {tool}},
                 {{}, "C:\\Other", {"hardinfo"}, true, {}}, {{}, QByteArray(1025, 'x'), {"kinfocenter", "hardinfo"}, true, {"/usr/bin/hardinfo"}}}) {
            FakeRegistry r;
            if (!pathValue.isEmpty())
                r.values[PathKey] = {RegSz, pathValue.toLocal8Bit() + '\0'};
            if (!folderValue.isEmpty())
                r.values[FolderKey] = {RegSz, folderValue};
            QStringList started;
            const Platform platform{&r, [&](const QString &p) { return p == tool; },
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
            frmAbout about(h.settings, h.dialogs, {&none, [](const QString &) { return false; }, [](const QString &) { return QString(); },
                                                   [](const QString &) { return true; }});
            QCOMPARE(about.lblDescription->text(), u"Varnock generates words of a particular form. When you enter a word in the box, it "
                                                   "is analyzed and %1 new words based on your filter are generated."_qs.arg(quoted));
            QCOMPARE(about.windowTitle() + u'|' + about.lblTitle->text() + u'|' + about.lblVersion->text(), u"About Varnock|Varnock|Version " VARNOCK_EXPECTED_VERSION ""_qs);
            QVERIFY(!about.picIcon->pixmap().isNull() && about.lblTitle->font().bold());
            QCOMPARE(about.size(), QSize(382, 237));
            QList<QRect> at;
            for (QWidget *c : std::initializer_list<QWidget *>{about.picIcon, about.lblTitle, about.lblVersion, about.lblDescription,
                                                              about.Line1_0, about.Line1_1, about.lblDisclaimer, about.cmdOK, about.cmdSysInfo})
                at << c->geometry();
            QCOMPARE(at, (QList<QRect>{{20, 16, 36, 36}, {70, 16, 259, 32}, {70, 52, 259, 15}, {70, 72, 259, 78}, {7, 164, 370, 2},
                                       {6, 164, 371, 1}, {4, 168, 270, 67}, {283, 175, 84, 23}, {284, 205, 83, 23}}));
            QCOMPARE(about.Line1_1->palette().color(QPalette::Window), QColor(0x80, 0x80, 0x80));
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
        for (const auto &[button, yes] : {std::pair{QMessageBox::Yes, true}, {QMessageBox::No, false}}) {
            whenModal([button](QWidget *box) {
                auto *question = qobject_cast<QMessageBox *>(box);
                QVERIFY(question && question->icon() == QMessageBox::Question && question->text() == u"Sure?");
                question->button(button)->click();
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
        // A typed name that does not exist asks whether to create it.
        QTemporaryDir dir;
        whenModal([&dir](QWidget *box) {
            auto *files = qobject_cast<QFileDialog *>(box);
            QVERIFY(files && files->nameFilters() == (QStringList{"Name Files (*.nam *.txt)", "All Files (*)"}) && files->directory().path() == dir.path());
            QTest::keyClicks(files->findChild<QLineEdit *>(u"fileNameEdit"_qs), u"varnock-none"_qs);
            QTest::keyClick(files->findChild<QLineEdit *>(u"fileNameEdit"_qs), Qt::Key_Return);
            whenModal([](QWidget *question) {
                QVERIFY(qobject_cast<QMessageBox *>(question)->text() == u"varnock-none.nam\nThis file does not exist.\nDo you want to create the file?");
                qobject_cast<QMessageBox *>(question)->button(QMessageBox::Yes)->click();
            });
        });
        QCOMPARE(dialogs.openFile(&owner, u"Open"_qs, {{"Name Files", "*.nam;*.txt"}, {"All Files", "*.*"}}, u"nam"_qs, dir.path()), dir.filePath(u"varnock-none.nam"_qs));
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
                if (c->window() == window && c->focusPolicy() & Qt::TabFocus && !c->focusProxy() && c->accessibleName().isEmpty()
                    && !c->parentWidget()->inherits("QAbstractItemView") && !c->parentWidget()->inherits("QComboBox"))
                    unnamed << c->objectName();
        QCOMPARE(unnamed, QStringList());
    }
};

int runParts(int argc, char **argv)
{
    TestParts test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_parts.moc"
