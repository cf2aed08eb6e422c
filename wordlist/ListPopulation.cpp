// Filling the word list (or the direct-save file) after a run.
#include "shell/frmMain.h"

#include "wordlist/WordFile.h"
#include "wordlist/WordSort.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QStringListModel>

namespace {

void yield() { QCoreApplication::processEvents(); }

} // namespace

void frmMain::PopulateList()
{
    yield();
    if (mnuSort->isChecked()) {
        lblStatus->setText(tr("Sorting words..."));
        yield();
        Shaker(WordArray_);
    }
    yield();
    // Erasing acts only while sorting is on (the item is enabled exactly
    // then); its own enabled state is hidden while the run disables menus.
    if (mnuKillDupes->isChecked() && mnuSort->isChecked()) {
        lblStatus->setText(tr("Erasing Duplicates..."));
        yield();
        KillDupes(WordArray_);
    }
    yield();
    if (mnuDirectSave->isChecked())
        writeDirectSave();
    else
        fillList();
    lblStatus->setText(tr("Ready."));
    EnableControls(true);
}

void frmMain::writeDirectSave()
{
    WordFileWriter file(mnuDirectSave->data().toString());
    const bool fast = mnuFast->isChecked();
    for (qsizetype i = 1; i < WordArray_.size(); ++i) {
        file.writeLine(WordArray_.at(i));
        if (!fast)
            yield();
    }
    file.commit();
}

void frmMain::fillList()
{
    lblStatus->setText(tr("Populating..."));
    txtNames->hide();
    yield();
    QStringList entries = namesModel->stringList();
    if (mnuFast->isChecked()) {
        // One model reset instead of one insertion per word.
        entries.append(WordArray_.mid(1));
        namesModel->setStringList(entries);
    } else {
        for (qsizetype i = 1; i < WordArray_.size(); ++i) {
            const int row = namesModel->rowCount();
            namesModel->insertRows(row, 1);
            namesModel->setData(namesModel->index(row), WordArray_.at(i));
            yield();
        }
    }
    txtNames->show();
    if (namesModel->rowCount() > 0)
        txtNames->setCurrentIndex(namesModel->index(0));
}

void frmMain::EnableControls(bool enable)
{
    // The groups switch every item with its menu, shortcuts included, and
    // give each item its own enabled state back afterwards.
    for (QMenu *menu : {mnuFile, mnuOptions, mnuHelp})
        menu->menuAction()->setEnabled(enable);
    for (QActionGroup *items : menuItems_)
        items->setEnabled(enable);
    txtFilter->setEnabled(enable);
    cmdGo->setEnabled(enable);
    txtNames->setEnabled(enable);
    cmdSelAll->setEnabled(enable);
    cmdSelNone->setEnabled(enable);
}
