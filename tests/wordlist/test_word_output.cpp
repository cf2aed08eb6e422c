// Saving, direct save, the clipboard, selection and clearing in the real
// main window.
#include "shell/ProgressBox.h"
#include "shell/Twips.h"
#include "support/MainWindowFixture.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtTest/QTest>
#include <csignal>
#include <sys/resource.h>

namespace {

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

void selectRows(frmMain &w, std::initializer_list<int> rows)
{
    for (int row : rows)
        w.txtNames->selectionModel()->select(w.namesModel->index(row), QItemSelectionModel::Select);
}

QStringList selectedRows(frmMain &w)
{
    QStringList out;
    for (int i = 0; i < w.namesModel->rowCount(); ++i)
        if (w.txtNames->selectionModel()->isSelected(w.namesModel->index(i)))
            out << w.namesModel->index(i).data().toString();
    return out;
}

// The files of a folder other than the settings file.
QStringList wordFiles(const QString &folder)
{
    QStringList files = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    files.removeAll(QStringLiteral("Varnock.conf"));
    return files;
}

QStringList names(int n)
{
    QStringList out;
    for (int i = 0; i < n; ++i)
        out << QStringLiteral("Word%1").arg(i, 3, 10, QChar(u'0'));
    return out;
}

// Measures the bar on every repaint of the progress box: the navy pixels of
// its top row, as a share of its width.
class BarWatcher : public QObject {
public:
    explicit BarWatcher(ProgressBox *box) : box_(box) { box->installEventFilter(this); }
    QList<int> widths; // distinct successive bar widths in pixels

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            const QImage &image = box_->image();
            int navy = 0;
            for (int x = 0; x < image.width(); ++x)
                navy += image.pixel(x, 0) == ProgressBox::navy;
            if (navy > 0 && (widths.isEmpty() || widths.last() != navy))
                widths << navy;
        }
        return false;
    }

private:
    ProgressBox *box_;
};

} // namespace

class TestWordOutput : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void saveWritesSelectedEntries_data();
    void saveWritesSelectedEntries();
    void saveCancelled();
    void saveProgress_data();
    void saveProgress();
    void saveFailureKeepsEarlierFile();
    void directSaveToggle();
    void clipboardAndSelection();
    void selectionPanelFollowsFocus();
    void clearList();
};

void TestWordOutput::saveWritesSelectedEntries_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QList<int>>("selected");
    QTest::addColumn<QByteArray>("expected");
    const QStringList five{"Alpha", "Brakmon", "Cel", "Dorwen", "Elf"};
    QTest::newRow("second and fourth") << five << QList<int>{1, 3} << QByteArray("Brakmon\r\nDorwen\r\n");
    QTest::newRow("none selected empties the file") << five << QList<int>{} << QByteArray();
    QTest::newRow("empty list") << QStringList{} << QList<int>{} << QByteArray();
    QTest::newRow("all, non-ASCII as UTF-8") << QStringList{"\u00c9la", "Zed"} << QList<int>{0, 1}
                                            << QByteArray("\xc3\x89la\r\nZed\r\n");
}

void TestWordOutput::saveWritesSelectedEntries()
{
    QFETCH(QStringList, entries);
    QFETCH(QList<int>, selected);
    QFETCH(QByteArray, expected);
    XoshiroRandom random(3);
    MainWindowFixture f(random);
    f.window->show();
    QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
    f.window->namesModel->setStringList(entries);
    for (int row : selected)
        selectRows(*f.window, {row});
    const QString path = f.dir.filePath("saved.txt");
    writeBytes(path, "earlier content\r\n");
    f.dialogs.inputAnswers = {path};
    QTest::keyClick(f.window.get(), Qt::Key_S, Qt::ControlModifier);

    QCOMPARE(f.dialogs.shown.size(), 1);
    const ScriptedDialogs::Shown &box = f.dialogs.shown.first();
    QCOMPARE(box.kind, QString("input"));
    QCOMPARE(box.text, QString("Enter the path of the file you want to save your words to:"));
    QCOMPARE(box.title, QString("Save Words"));
    // One freshly made word of "ccvccvc", in proper case, in the Documents folder.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty())
        folder = QDir::homePath();
    QCOMPARE(QFileInfo(box.defaultText).absolutePath(), QDir(folder).absolutePath());
    QVERIFY2(QRegularExpression("^[A-Z][a-z]{6}\\.txt$").match(QFileInfo(box.defaultText).fileName()).hasMatch(),
             qPrintable(box.defaultText));
    QCOMPARE(contents(path), expected);
    QCOMPARE(f.window->lblStatus->text(), QString("Ready."));
    QVERIFY(f.window->picProgBar->isHidden());
    QCOMPARE(f.listed(), entries);
    QCOMPARE(selectedRows(*f.window).size(), selected.size());
}

void TestWordOutput::saveCancelled()
{
    XoshiroRandom random(4);
    MainWindowFixture f(random);
    f.window->namesModel->setStringList({"Alpha"});
    selectRows(*f.window, {0});
    f.window->lblStatus->setText("Before");
    f.dialogs.inputAnswers = {QString()};
    f.window->mnuSave->trigger();
    QCOMPARE(f.dialogs.shown.size(), 1);
    QCOMPARE(f.window->lblStatus->text(), QString("Before"));
    QCOMPARE(wordFiles(f.dir.path()), QStringList{});
    QVERIFY(f.window->picProgBar->isHidden());
}

void TestWordOutput::saveProgress_data()
{
    QTest::addColumn<int>("entries");
    QTest::addColumn<QList<int>>("percents");
    QList<int> every, second;
    for (int p = 1; p <= 100; ++p)
        every << p;
    for (int p = 2; p <= 100; p += 2)
        second << p;
    QTest::newRow("200 entries") << 200 << every;
    QTest::newRow("50 entries") << 50 << second;
    QTest::newRow("empty list") << 0 << QList<int>{};
}

void TestWordOutput::saveProgress()
{
    QFETCH(int, entries);
    QFETCH(QList<int>, percents);
    XoshiroRandom random(5);
    MainWindowFixture f(random);
    f.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    f.window->namesModel->setStringList(names(entries));
    selectRows(*f.window, {0});
    BarWatcher watcher(f.window->picProgBar);
    const QString path = f.dir.filePath("progress.txt");
    f.dialogs.inputAnswers = {path};
    f.window->mnuSave->trigger();
    const int width = f.window->picProgBar->image().width();
    QVERIFY(width > 100);
    QList<int> expected;
    for (int p : percents)
        expected << int(std::lround(width * p / 100.0));
    QCOMPARE(watcher.widths.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i)
        QVERIFY2(qAbs(watcher.widths[i] - expected[i]) <= 1,
                 qPrintable(QStringLiteral("step %1: %2 px, expected %3").arg(i).arg(watcher.widths[i]).arg(expected[i])));
    QVERIFY(QFile::exists(path));
}

void TestWordOutput::saveFailureKeepsEarlierFile()
{
    XoshiroRandom random(6);
    MainWindowFixture f(random, {{"Options/HowMany", "77"}});
    const QStringList words = names(2000);
    f.window->namesModel->setStringList(words);
    f.window->cmdSelAll_Click();
    const QString earlier = f.dir.filePath("earlier.txt");
    writeBytes(earlier, "keep me\r\n");
    const QByteArray settingsBefore = contents(f.settingsPath());

    // A folder that does not exist.
    const QString missing = f.dir.filePath("absent/words.txt");
    f.dialogs.inputAnswers = {missing};
    f.window->mnuSave->trigger();
    QCOMPARE(f.dialogs.messages().size(), 1);
    QVERIFY(f.dialogs.messages().first().contains(missing));
    QVERIFY(f.dialogs.messages().first().contains("Path not found"));
    QCOMPARE(f.dialogs.shown.last().title, QString("Varnock"));
    QVERIFY(!QFile::exists(missing));

    // A write that fails part-way (the file-size limit stands in for a full
    // disk): the earlier file stays whole.
    struct rlimit old {};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 4096;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    f.dialogs.inputAnswers = {earlier};
    f.window->mnuSave->trigger();
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    QCOMPARE(f.dialogs.messages().size(), 2);
    QVERIFY(f.dialogs.messages().last().contains(earlier));
    QCOMPARE(contents(earlier), QByteArray("keep me\r\n"));

    QVERIFY(f.window->picProgBar->isHidden());
    QCOMPARE(f.listed(), words);
    QCOMPARE(selectedRows(*f.window).size(), 2000);
    QCOMPARE(contents(f.settingsPath()), settingsBefore);
    QVERIFY(f.controlsEnabled());
    // No temporary file left behind either.
    QCOMPARE(wordFiles(f.dir.path()), QStringList{"earlier.txt"});
}

void TestWordOutput::directSaveToggle()
{
    XoshiroRandom random(8);
    MainWindowFixture f(random, {{"Options/DirectSaveFile", "/old/place.txt"}});
    frmMain &w = *f.window;
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    const QRegularExpression proposal("^[A-Z][a-z]{3,}\\.txt$");

    // On, accepting a typed path, from a maximized window.
    w.setWindowState(Qt::WindowMaximized);
    const QString chosen = f.dir.filePath("direct.txt");
    f.dialogs.inputAnswers = {chosen};
    QTest::keyClick(&w, Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(f.dialogs.shown.size(), 1);
    QCOMPARE(f.dialogs.shown[0].title, QString("Direct Save"));
    QCOMPARE(f.dialogs.shown[0].text, QString("Enter the path of the file you want to save your words to:"));
    QVERIFY2(proposal.match(QFileInfo(f.dialogs.shown[0].defaultText).fileName()).hasMatch(),
             qPrintable(f.dialogs.shown[0].defaultText));
    QVERIFY(w.mnuDirectSave->isChecked());
    QCOMPARE(w.mnuDirectSave->data().toString(), chosen);
    QCOMPARE(f.setting("Options", "DirectSave"), QString("True"));
    QCOMPARE(f.setting("Options", "DirectSaveFile"), chosen);
    QVERIFY(!(w.windowState() & Qt::WindowMaximized));
    QTRY_COMPARE(w.frameGeometry().height(), Twips::toPixels(1000));
    QVERIFY(!w.mnuCopy->isEnabled());
    QVERIFY(!w.mnuSave->isEnabled());

    // Off: no question, the path stays stored.
    QTest::keyClick(&w, Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(f.dialogs.shown.size(), 1);
    QVERIFY(!w.mnuDirectSave->isChecked());
    QCOMPARE(f.setting("Options", "DirectSave"), QString("False"));
    QCOMPARE(f.setting("Options", "DirectSaveFile"), chosen);
    QTRY_COMPARE(w.frameGeometry().height(), Twips::toPixels(4545));
    QVERIFY(w.mnuCopy->isEnabled());
    QVERIFY(w.mnuSave->isEnabled());

    // On again but cancelled: a new proposal, and nothing changes.
    const QByteArray settingsBefore = contents(f.settingsPath());
    const int height = w.frameGeometry().height();
    f.dialogs.inputAnswers = {QString()};
    QTest::keyClick(&w, Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(f.dialogs.shown.size(), 2);
    QVERIFY(f.dialogs.shown[1].defaultText != chosen);
    QVERIFY(proposal.match(QFileInfo(f.dialogs.shown[1].defaultText).fileName()).hasMatch());
    QVERIFY(!w.mnuDirectSave->isChecked());
    QCOMPARE(contents(f.settingsPath()), settingsBefore);
    QCOMPARE(w.frameGeometry().height(), height);
    QVERIFY(w.mnuCopy->isEnabled());
    QVERIFY(w.mnuSave->isEnabled());
}

void TestWordOutput::clipboardAndSelection()
{
    XoshiroRandom random(10);
    MainWindowFixture f(random);
    frmMain &w = *f.window;
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    const QStringList five{"Ael", "Brin", "Cor", "Dun", "Eth"};
    w.namesModel->setStringList(five);
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->setText("stale");

    // Ctrl+click the second and fourth entries, then Ctrl+G.
    for (int row : {1, 3}) {
        const QRect cell = w.txtNames->visualRect(w.namesModel->index(row));
        QTest::mouseClick(w.txtNames->viewport(), Qt::LeftButton, Qt::ControlModifier, cell.center());
    }
    QCOMPARE(selectedRows(w), (QStringList{"Brin", "Dun"}));
    QTest::keyClick(&w, Qt::Key_G, Qt::ControlModifier);
    QCOMPARE(clipboard->text(), QString("Brin\r\nDun\r\n"));

    // The list has the focus, so the two buttons are there to click.
    QVERIFY(w.cmdSelAll->isVisible());
    QTest::mouseClick(w.cmdSelAll, Qt::LeftButton);
    QCOMPARE(selectedRows(w), five);
    QCOMPARE(w.txtNames->currentIndex().row(), 0);
    QVERIFY(w.txtNames->isVisible());
    w.mnuCopy->trigger();
    QCOMPARE(clipboard->text(), QString("Ael\r\nBrin\r\nCor\r\nDun\r\nEth\r\n"));

    w.txtNames->setCurrentIndex(w.namesModel->index(4));
    QTest::mouseClick(w.cmdSelNone, Qt::LeftButton);
    QVERIFY(selectedRows(w).isEmpty());
    QCOMPARE(w.txtNames->currentIndex().row(), 0);
    w.mnuCopy->trigger();
    QCOMPARE(clipboard->text(), QString(""));

    // An empty list: nothing to select, no current entry, an empty clipboard.
    w.namesModel->setStringList({});
    clipboard->setText("stale");
    w.cmdSelAll_Click();
    w.cmdSelNone_Click();
    QVERIFY(!w.txtNames->currentIndex().isValid());
    w.mnuCopy->trigger();
    QCOMPARE(clipboard->text(), QString(""));
}

void TestWordOutput::selectionPanelFollowsFocus()
{
    XoshiroRandom random(11);
    MainWindowFixture f(random);
    frmMain &w = *f.window;
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.namesModel->setStringList({"Ael", "Brin"});
    QVERIFY(w.picProgBar->isHidden());

    // Tab from the Rnd button into the list.
    w.cmdGo->setFocus();
    QTRY_VERIFY(w.cmdGo->hasFocus());
    QTest::keyClick(w.cmdGo, Qt::Key_Tab);
    QTRY_VERIFY(w.txtNames->hasFocus());
    QVERIFY(w.picProgBar->isVisible());
    QVERIFY(w.cmdSelAll->isVisible());
    QVERIFY(w.cmdSelNone->isVisible());
    QCOMPARE(w.picProgBar->backColor(), w.palette().color(QPalette::Active, QPalette::Window));
    QVERIFY(w.picProgBar->backColor() != QColor(Qt::white));

    // Clicking into the filter box puts the status line back.
    QTest::mouseClick(w.txtFilter, Qt::LeftButton);
    QTRY_VERIFY(w.picProgBar->isHidden());
    QVERIFY(w.cmdSelAll->isHidden());
    QCOMPARE(w.picProgBar->backColor(), QColor(Qt::white));
}

void TestWordOutput::clearList()
{
    XoshiroRandom random(12);
    MainWindowFixture f(random, {{"List/0", "kaelor"}, {"List/1", "brim"}, {"List/2", "tok"}});
    frmMain &w = *f.window;
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QCOMPARE(w.txtFilter->count(), 3);
    w.txtFilter->setEditText("typed");

    QTest::keyClick(&w, Qt::Key_L, Qt::ControlModifier);
    QCOMPARE(w.txtFilter->count(), 0);
    QCOMPARE(w.txtFilter->currentText(), QString());
    QCOMPARE(f.setting("List", "0"), QString("<absent>"));
    QVERIFY(!contents(f.settingsPath()).contains("[List]"));

    // Again, with the section already gone.
    QTest::keyClick(&w, Qt::Key_L, Qt::ControlModifier);
    QCOMPARE(w.txtFilter->count(), 0);
    QVERIFY(f.dialogs.shown.isEmpty());
    QCOMPARE(f.setting("Options", "Sort"), QString("<absent>"));
}

QTEST_MAIN(TestWordOutput)
#include "test_word_output.moc"
