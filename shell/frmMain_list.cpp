// Filling the word list (or the direct-save file) after a run.
#include "shell/frmMain.h"

#include "engine/VarnockError.h"
#include "wordlist/WordFile.h"
#include "wordlist/WordSort.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QStringListModel>
#include <new>

namespace {

QLineEdit *editorOf(QWidget *widget)
{
    if (auto *combo = qobject_cast<QComboBox *>(widget))
        return combo->lineEdit();
    return qobject_cast<QLineEdit *>(widget);
}

} // namespace

void frmMain::PopulateList()
try {
    if (mnuSort->isChecked()) {
        lblStatus->setText(tr("Sorting words..."));
        yieldToEvents();
        Shaker(WordArray_);
    }
    // Erasing acts only while sorting is on (the item is enabled exactly
    // then); its own enabled state is hidden while the run disables menus.
    if (mnuKillDupes->isChecked() && mnuSort->isChecked()) {
        // Shown through the yield below: erasing takes no time worth a repaint first.
        lblStatus->setText(tr("Erasing Duplicates..."));
        KillDupes(WordArray_);
    }
    yieldToEvents();
    if (mnuDirectSave->isChecked())
        writeDirectSave();
    else
        fillList();
    lblStatus->setText(tr("Ready."));
    EnableControls(true);
} catch (const std::bad_alloc &) {
    throw VarnockError(ErrorNumber::OutOfMemory); // reported as the callers report any failure
}

void frmMain::writeDirectSave()
{
    WordFileWriter file(mnuDirectSave->data().toString());
    const bool fast = mnuFast->isChecked();
    for (qsizetype i = 1; i < WordArray_.size(); ++i) {
        file.writeLine(WordArray_.at(i));
        if (!fast)
            yieldToEvents();
    }
    file.commit();
}

void frmMain::fillList()
{
    lblStatus->setText(tr("Populating..."));
    txtNames->hide();
    yieldToEvents();
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
            yieldToEvents();
        }
    }
    txtNames->show();
    txtNames->setCurrentIndex(namesModel->index(0)); // none for an empty list
}

void frmMain::EnableControls(bool enable)
{
    // Disabling moves the focus away and drops the filter box's selection;
    // both come back with the controls, so the next sample can be typed.
    if (!enable)
        rememberFocus();
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
    if (enable)
        restoreFocus();
}

void frmMain::rememberFocus()
{
    QWidget *focus = QApplication::focusWidget();
    if (!focus || focus->window() != this)
        return;
    focusBeforeRun_ = focus;
    // Read back only when this same widget gets the focus again.
    if (QLineEdit *edit = editorOf(focus))
        selectionBeforeRun_ = {edit->selectionStart(), edit->selectionLength()};
}

void frmMain::restoreFocus()
{
    QWidget *focus = focusBeforeRun_;
    focusBeforeRun_ = nullptr;
    // setFocus itself passes over a button the run left hidden.
    if (!focus)
        return;
    // Not the user moving the focus: the bottom strip stays as the run (or
    // its error) left it.
    restoringFocus_ = true;
    focus->setFocus(Qt::OtherFocusReason);
    restoringFocus_ = false;
    if (QLineEdit *edit = editorOf(focus); edit && selectionBeforeRun_.first >= 0)
        edit->setSelection(selectionBeforeRun_.first, selectionBeforeRun_.second);
}
