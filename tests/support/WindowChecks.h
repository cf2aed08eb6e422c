#pragma once

#include "shell/ProgressBox.h"
#include "support/MainWindowHarness.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QStringListModel>

// Checks the window tests share, over a MainWindowHarness.

inline QString dataFile(const char *name) { return QStringLiteral(VARNOCK_TEST_DATA "/sources/") + QLatin1String(name); }

inline QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Shows the window and waits until it has the focus, for real key events.
inline frmMain &showActive(MainWindowHarness &h, RandomSource *source = nullptr)
{
    frmMain &w = h.openShown(source);
    w.activateWindow();
    if (!QTest::qWaitForWindowActive(&w))
        QTest::qFail("window not active", __FILE__, __LINE__);
    return w;
}

// The width of the navy bar (top row of the progress box) at every repaint.
struct BarWatcher : QObject {
    explicit BarWatcher(ProgressBox *box) : box(box) { box->installEventFilter(this); }
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            int navy = 0;
            for (int x = 0; x < box->image().width(); ++x)
                navy += box->image().pixel(x, 0) == ProgressBox::navy;
            widths << navy;
        }
        return false;
    }
    ProgressBox *box;
    QList<int> widths;
};

inline void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        QTest::qFail(qPrintable("cannot write " + path), __FILE__, __LINE__);
}

inline QStringList listed(const MainWindowHarness &h) { return h.window->namesModel->stringList(); }

inline QStringList history(const MainWindowHarness &h)
{
    QStringList entries;
    for (int i = 0; i < h.window->txtFilter->count(); ++i)
        entries << h.window->txtFilter->itemText(i);
    return entries;
}

// Types into the filter box and presses Enter, as a user would.
inline void typeAndEnter(const MainWindowHarness &h, const QString &text)
{
    QLineEdit *edit = h.window->txtFilter->lineEdit();
    edit->clear();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
}

// Every control a run takes away that is not usable now.
inline QStringList disabledControls(const MainWindowHarness &h)
{
    const frmMain &w = *h.window;
    QStringList off;
    for (QMenu *menu : {w.mnuFile, w.mnuOptions, w.mnuHelp})
        if (!menu->menuAction()->isEnabled())
            off << menu->objectName();
    for (QWidget *control : std::initializer_list<QWidget *>{w.txtFilter, w.cmdGo, w.txtNames, w.cmdSelAll, w.cmdSelNone})
        if (!control->isEnabled())
            off << control->objectName();
    for (QAction *item : {w.mnuGenerate, w.mnuVarnock, w.mnuOpen, w.mnuFast, w.mnuNoOfWords, w.mnuAbout})
        if (!item->isEnabled())
            off << item->objectName();
    return off;
}

inline QStringList selectedRows(const frmMain &w)
{
    QStringList out;
    for (int i = 0; i < w.namesModel->rowCount(); ++i)
        if (w.txtNames->selectionModel()->isSelected(w.namesModel->index(i)))
            out << w.namesModel->index(i).data().toString();
    return out;
}
