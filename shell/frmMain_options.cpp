// The option check marks: loading, toggling and the number of words.
#include "shell/frmMain.h"

#include "engine/NumberText.h"
#include "shell/Dialogs.h"
#include "shell/Placement.h"
#include "shell/SettingsStore.h"
#include "shell/VarnockSettings.h"

#include <QAction>

void frmMain::InitMenus()
{
    using namespace VarnockSettings;
    mnuDirectSave->setChecked(settings_.getFlag(DirectSave));
    mnuDirectSave->setData(settings_.get(DirectSaveFile.sectionName(), DirectSaveFile.keyName(),
                                         Placement::defaultDirectSavePath()));
    mnuKillDupes->setChecked(settings_.getFlag(KillDupes));
    mnuFast->setChecked(settings_.getFlag(FastMode));
    mnuCase->setChecked(settings_.getFlag(MatchCase));
    mnuSort->setChecked(settings_.getFlag(Sort));
    mnuDiphthongi->setChecked(settings_.getFlag(UseDiphthongi));
    mnuReality->setChecked(settings_.getFlag(RealityMode));
    mnuKillDupes->setEnabled(mnuSort->isChecked());
    mnuCopy->setEnabled(!mnuDirectSave->isChecked());
    mnuSave->setEnabled(!mnuDirectSave->isChecked());
}

GenerationOptions frmMain::generationOptions() const
{
    return {.realityMode = mnuReality->isChecked(),
            .diphthongs = mnuDiphthongi->isChecked(),
            .fastMode = mnuFast->isChecked()};
}

void frmMain::mnuFast_Click() { settings_.saveFlag(VarnockSettings::FastMode, mnuFast->isChecked()); }
void frmMain::mnuCase_Click() { settings_.saveFlag(VarnockSettings::MatchCase, mnuCase->isChecked()); }
void frmMain::mnuReality_Click() { settings_.saveFlag(VarnockSettings::RealityMode, mnuReality->isChecked()); }
void frmMain::mnuDiphthongi_Click()
{
    settings_.saveFlag(VarnockSettings::UseDiphthongi, mnuDiphthongi->isChecked());
}
void frmMain::mnuKillDupes_Click() { settings_.saveFlag(VarnockSettings::KillDupes, mnuKillDupes->isChecked()); }

void frmMain::mnuSort_Click()
{
    settings_.saveFlag(VarnockSettings::Sort, mnuSort->isChecked());
    mnuKillDupes->setEnabled(mnuSort->isChecked());
}

void frmMain::mnuNoOfWords_Click()
{
    const QString title = QString::fromLatin1(VarnockTitle);
    // A stored count no box could have written shows the default instead.
    const QString shown = countPrefill(settings_.get(VarnockSettings::HowMany), VarnockSettings::HowMany.defaultText());
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
    settings_.save(VarnockSettings::HowMany, QString::number(count.value));
}
