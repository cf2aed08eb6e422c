// The file-driven generation commands and the open-file dialog.
#include "shell/frmMain.h"

#include "engine/VarnockError.h"
#include "shell/FileTables.h"
#include "shell/ProgressBox.h"
#include "shell/SettingsStore.h"
#include "shell/VarnockSettings.h"
#include "sources/RunCount.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QStringListModel>

namespace {

const QString kTitle = QString::fromLatin1(VarnockTitle);

} // namespace

const PatternSections &frmMain::patternSections() const
{
    return files_->Sections;
}

QString frmMain::ShowOpenDialog(const Dialogs::FilterPairs &Filter, const QString &DefaultExt, const QString &Title)
{
    return dialogs_.openFile(this, Title, Filter, DefaultExt, QCoreApplication::applicationDirPath());
}

void frmMain::mnuVarnock_Click()
{
    const QString path = ShowOpenDialog({{QStringLiteral("Varnock files"), QStringLiteral("*.vnk")},
                                         {QStringLiteral("All Files"), QStringLiteral("*.*")}},
                                        QStringLiteral("vnk"), QStringLiteral("Open rules file"));
    if (path.isEmpty())
        return;
    EnableControls(false);
    namesModel->setStringList({});
    const FileReadResult read = LoadPatternFile(path, files_->PatternRule, files_->Sections);
    if (!read.valid) {
        dialogs_.message(this, read.message, kTitle, Dialogs::Icon::Critical);
        EnableControls(true);
        return;
    }
    if (files_->Sections.maxCount() == 0) {
        EnableControls(true);
        return;
    }
    runFromFile(tr("Generating words..."), [this](qint64 count, const GenerationHooks &hooks) {
        GenerateFromPattern(count, WordArray_, files_->PatternRule, files_->Sections, random_, hooks);
    });
    // The entries are read afresh from the file on every use.
    files_->Sections.clear();
}

void frmMain::mnuOpen_Click()
{
    const QString path = ShowOpenDialog({{QStringLiteral("Name Files"), QStringLiteral("*.nam;*.txt")},
                                         {QStringLiteral("All Files"), QStringLiteral("*.*")}},
                                        QStringLiteral("nam"), QStringLiteral("Open rules file"));
    if (path.isEmpty())
        return;
    EnableControls(false);
    namesModel->setStringList({});
    const FileReadResult read = LoadRulesFile(path, files_->Rules); // the reader empties the lists first
    if (!read.valid)
        dialogs_.message(this, read.message, kTitle, Dialogs::Icon::Critical);
    // A file cut short inside its end section still gives words from the
    // endings it had.
    if (!rulesGiveWords(files_->Rules)) {
        EnableControls(true);
        return;
    }
    runFromFile(tr("Sorting words..."), [this](qint64 count, const GenerationHooks &hooks) {
        GenerateFromRules(count, WordArray_, files_->Rules, random_, hooks);
    });
}

void frmMain::runFromFile(const QString &status, const std::function<void(qint64, const GenerationHooks &)> &generate)
{
    try {
        showRunStatus(status);
        const qint16 count =
            fileRunCount(settings_.get(VarnockSettings::HowMany));
        GenerationHooks hooks;
        hooks.progress = [this](float fraction, const QString &caption) { DrawProgress(fraction, caption); };
        generate(count, hooks); // the list's first step yields, so none is needed here
        picProgBar->hide();
    } catch (const ProgramEnded &) {
        return;
    } catch (const VarnockError &error) { // running out of memory included: the generators say so
        reportFailure(tr("The words could not be generated: %1.").arg(error.description()));
        return;
    }
    try {
        PopulateList();
    } catch (const ProgramEnded &) {
    } catch (const VarnockError &error) {
        if (mnuDirectSave->isChecked())
            reportFailure(tr("The words could not be saved to \"%1\": %2.")
                              .arg(mnuDirectSave->data().toString(), error.description()));
        else
            reportFailure(tr("The words could not be listed: %1.").arg(error.description()));
    }
}

void frmMain::showRunStatus(const QString &status)
{
    lblStatus->setText(status); // painted with the bar's first drawing, which repaints at once
    cmdSelAll->hide();
    cmdSelNone->hide();
    picProgBar->show();
}

void frmMain::reportFailure(const QString &text)
{
    picProgBar->hide();
    dialogs_.message(this, text, kTitle, Dialogs::Icon::Critical);
    lblStatus->setText(tr("Ready."));
    EnableControls(true);
}
