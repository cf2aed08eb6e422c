// Saving the selected words, and the direct-save option.
#include "shell/frmMain.h"

#include "engine/GenerateNames.h"
#include "engine/RandomFilter.h"
#include "engine/VarnockError.h"
#include "shell/ProgressBox.h"
#include "shell/SettingsStore.h"
#include "shell/VarnockSettings.h"
#include "wordlist/ProposedPath.h"
#include "wordlist/WordFile.h"

#include <QAction>
#include <QApplication>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>
#include <QStringListModel>
#include <new>

namespace {

constexpr double directSaveOnHeight = 1000;
constexpr double directSaveOffHeight = 4545;

} // namespace

QString frmMain::proposeWordFile(const QString &filter, const QString &title)
{
    const QString word = GenerateNames(filter, 1, WordArray_, false, random_, generationOptions());
    return dialogs_.inputBox(this, tr("Enter the path of the file you want to save your words to:"), title,
                             proposedWordFilePath(word));
}

void frmMain::mnuSave_Click()
{
    const QString path = proposeWordFile(QStringLiteral("ccvccvc"), tr("Save Words"));
    if (path.isEmpty())
        return;
    picProgBar->show();
    QCoreApplication::processEvents();
    try {
        // Written beside the target and renamed over it at the end, so a
        // failure leaves any earlier file as it was.
        WordFileWriter file(path);
        const QItemSelectionModel *selection = txtNames->selectionModel();
        const int N = namesModel->rowCount();
        ProgressTracker progress(N);
        for (int i = 0; i < N; ++i) {
            const QModelIndex entry = namesModel->index(i);
            if (selection->isSelected(entry))
                file.writeLine(entry.data().toString());
            progress.step(i + 1, [this](float fraction) { DrawProgress(fraction, tr("Saving...")); });
        }
        file.commit();
    } catch (const VarnockError &error) {
        reportFailure(tr("The words could not be saved to \"%1\": %2.").arg(path, error.description()));
        return;
    } catch (const std::bad_alloc &) {
        reportFailure(tr("The words could not be saved to \"%1\": %2.")
                          .arg(path, VarnockError::standardDescription(ErrorNumber::OutOfMemory)));
        return;
    }
    picProgBar->hide();
    lblStatus->setText(tr("Ready."));
}

void frmMain::mnuDirectSave_Click()
{
    // The check mark is already inverted when this runs.
    const bool on = mnuDirectSave->isChecked();
    if (on) {
        const QString path = proposeWordFile(RandomFilter(random_), tr("Direct Save"));
        if (path.isEmpty()) {
            mnuDirectSave->setChecked(false);
            return;
        }
        settings_.save(VarnockSettings::DirectSaveFile, path);
        mnuDirectSave->setData(path);
    }
    settings_.saveFlag(VarnockSettings::DirectSave, on);
    if (on) {
        enterCompactMode(directSaveOnHeight);
    } else {
        QRectF outer = outerGeometryTwips();
        outer.setHeight(directSaveOffHeight);
        setOuterGeometry(outer);
    }
    Form_Resize();
    mnuCopy->setEnabled(!on);
    mnuSave->setEnabled(!on);
}
