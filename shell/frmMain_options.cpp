// The option check marks: loading, toggling and the number of words.
#include "shell/frmMain.h"

#include "engine/NumberText.h"
#include "shell/Dialogs.h"
#include "shell/Placement.h"
#include "shell/SettingsStore.h"

#include <QAction>

namespace {

const QString kOptions = QStringLiteral("Options");

} // namespace

void frmMain::InitMenus()
{
    mnuDirectSave->setChecked(settings_.getFlag(kOptions, QStringLiteral("DirectSave"), false));
    mnuDirectSave->setData(
        settings_.get(kOptions, QStringLiteral("DirectSaveFile"), Placement::defaultDirectSavePath()));
    mnuKillDupes->setChecked(settings_.getFlag(kOptions, QStringLiteral("KillDupes"), true));
    mnuFast->setChecked(settings_.getFlag(kOptions, QStringLiteral("FastMode"), true));
    mnuCase->setChecked(settings_.getFlag(kOptions, QStringLiteral("Case"), false));
    mnuSort->setChecked(settings_.getFlag(kOptions, QStringLiteral("Sort"), true));
    mnuDiphthongi->setChecked(settings_.getFlag(kOptions, QStringLiteral("UseDiphthongi"), true));
    mnuReality->setChecked(settings_.getFlag(kOptions, QStringLiteral("RealityMode"), true));
    mnuKillDupes->setEnabled(mnuSort->isChecked());
    mnuCopy->setEnabled(!mnuDirectSave->isChecked());
    mnuSave->setEnabled(!mnuDirectSave->isChecked());
}

void frmMain::saveFlag(QAction *item, const char *key)
{
    settings_.saveFlag(kOptions, QString::fromLatin1(key), item->isChecked());
}

void frmMain::mnuFast_Click() { saveFlag(mnuFast, "FastMode"); }
void frmMain::mnuCase_Click() { saveFlag(mnuCase, "Case"); }
void frmMain::mnuReality_Click() { saveFlag(mnuReality, "RealityMode"); }
void frmMain::mnuDiphthongi_Click() { saveFlag(mnuDiphthongi, "UseDiphthongi"); }
void frmMain::mnuKillDupes_Click() { saveFlag(mnuKillDupes, "KillDupes"); }

void frmMain::mnuSort_Click()
{
    saveFlag(mnuSort, "Sort");
    mnuKillDupes->setEnabled(mnuSort->isChecked());
}

void frmMain::mnuNoOfWords_Click()
{
    const QString title = QStringLiteral("Varnock");
    // A stored count no box could have written shows the default instead.
    const QString fallback = QStringLiteral("500");
    const QString shown = countPrefill(settings_.get(kOptions, QStringLiteral("HowMany"), fallback), fallback);
    const QString answer = dialogs_.inputBox(this, tr("How many words do you want the program to generate?"),
                                             tr("Enter number of words"), shown);
    const WordCountAnswer count = readWordCountAnswer(answer);
    switch (count.kind) {
    case WordCountAnswer::Unchanged:
        return;
    case WordCountAnswer::Negative:
        // A negative count cannot be generated; refuse it rather than store it.
        dialogs_.message(this, tr("The number of words cannot be negative."), title, Dialogs::Icon::Exclamation);
        return;
    case WordCountAnswer::Capped:
        dialogs_.message(this, tr("You cannot generate more than 30000 words."), title, Dialogs::Icon::Critical);
        break;
    case WordCountAnswer::Store:
        break;
    }
    settings_.save(kOptions, QStringLiteral("HowMany"), QString::number(count.value));
}
