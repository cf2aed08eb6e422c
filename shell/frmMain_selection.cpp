// Copying, selecting all or none, the selection panel and clearing the
// filter history.
#include "shell/frmMain.h"

#include "shell/ProgressBox.h"
#include "shell/SettingsStore.h"
#include "shell/VarnockSettings.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QStringListModel>

void frmMain::mnuCopy_Click()
{
    const QItemSelectionModel *selection = txtNames->selectionModel();
    QString text;
    const int N = namesModel->rowCount();
    for (int i = 0; i < N; ++i) {
        const QModelIndex entry = namesModel->index(i);
        if (selection->isSelected(entry))
            text += entry.data().toString() + QStringLiteral("\r\n");
    }
    QGuiApplication::clipboard()->setText(text);
}

void frmMain::setSelectedAll(bool selected)
{
    const int N = namesModel->rowCount();
    QItemSelectionModel *selection = txtNames->selectionModel();
    // One range for every row, so the list repaints once. On an empty list
    // both indexes are invalid and neither call does anything.
    selection->select(QItemSelection(namesModel->index(0), namesModel->index(N - 1)),
                      selected ? QItemSelectionModel::Select : QItemSelectionModel::Deselect);
    // Moving the current entry must not touch the selection.
    selection->setCurrentIndex(namesModel->index(0), QItemSelectionModel::NoUpdate);
}

void frmMain::cmdSelAll_Click() { setSelectedAll(true); }
void frmMain::cmdSelNone_Click() { setSelectedAll(false); }

void frmMain::txtNames_GotFocus()
{
    // While a run disables the controls, the focus passes through the list
    // on its way out; the panel belongs to a ready window only.
    if (!mnuFile->menuAction()->isEnabled())
        return;
    // The panel takes the colour of an active window's frame.
    picProgBar->setBackColor(palette().color(QPalette::Active, QPalette::Window));
    cmdSelAll->show();
    cmdSelNone->show();
    picProgBar->show();
}

void frmMain::mnuClearList_Click()
{
    txtFilter->clear();
    txtFilter->setEditText(QString());
    settings_.deleteSection(QString::fromLatin1(VarnockSettings::HistorySection));
}
