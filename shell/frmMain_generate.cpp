// The generate command: the filter box, its history and the Rnd button.
#include "shell/frmMain.h"

#include "engine/Filterize.h"
#include "engine/GenerateNames.h"
#include "engine/NumberText.h"
#include "engine/RandomFilter.h"
#include "engine/VarnockError.h"
#include "shell/Dialogs.h"
#include "shell/ProgressBox.h"
#include "shell/SettingsStore.h"
#include "shell/VarnockSettings.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringListModel>
#include <new>

void frmMain::mnuGenerate_Click()
{
    try {
        namesModel->setStringList({});
        if (txtFilter->currentText().isEmpty())
            txtFilter->setEditText(RandomFilter(random_));
        EnableControls(false);
        showRunStatus(tr("Sorting words..."));

        const QString filter = filterFromSample(txtFilter->currentText());
        const qint32 count =
            roundToInt32(leadingNumber(settings_.get(VarnockSettings::HowMany)));
        const bool CaseMatters = mnuCase->isChecked();
        const GenerationOptions options = generationOptions();
        GenerationHooks hooks;
        hooks.caseSample = [this] { return txtFilter->currentText(); };
        hooks.yield = [this] { yieldToEvents(); };
        hooks.progress = [this](float fraction, const QString &caption) { DrawProgress(fraction, caption); };
        GenerateNames(filter, count, WordArray_, CaseMatters, random_, options, hooks);

        picProgBar->hide();
        PopulateList(); // which yields before anything else
    } catch (const VarnockError &error) {
        showGenerateError(error.number(), error.description());
    } catch (const ProgramEnded &) {
    } catch (const std::bad_alloc &) { // before the run (the list maps its own)
        showGenerateError(int(ErrorNumber::OutOfMemory), VarnockError::standardDescription(ErrorNumber::OutOfMemory));
    }
}

void frmMain::showGenerateError(int number, const QString &description)
{
    dialogs_.message(this,
                     QStringLiteral("Error Number: ") + QString::number(number) + QStringLiteral("\r\n")
                         + QStringLiteral("Error Description: ") + description,
                     QStringLiteral("Error Occured"), Dialogs::Icon::Critical);
    EnableControls(true);
}

void frmMain::txtFilter_KeyPress(ushort &KeyAscii)
{
    if (KeyAscii != 13)
        return;
    const QString text = txtFilter->currentText();
    // Adding keeps the edit text: the first entry becomes current with the same text.
    if (txtFilter->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0)
        txtFilter->addItem(text);
    txtFilter->lineEdit()->selectAll();
    KeyAscii = 0;
    mnuGenerate_Click();
}

void frmMain::cmdGo_Click()
{
    txtFilter->setEditText(RandomFilter(random_));
}

void frmMain::txtFilter_GotFocus()
{
    if (picProgBar->isHidden())
        return;
    picProgBar->hide();
    picProgBar->setBackColor(Qt::white);
    cmdSelAll->hide();
    cmdSelNone->hide();
}

void frmMain::cmdGo_GotFocus()
{
    txtFilter_GotFocus();
}
