#include "genetic/GeneticCountDialogs.h"
#include "genetic/frmGenetic.h"
#include "shell/frmMain.h"

void frmMain::mnuGenetic_Click()
{
    // A fresh window each time, so parent and list start empty.
    frmGenetic form(settings_, random_, dialogs_, this);
    form.exec();
}

void frmMain::mnuGeneticWords_Click()
{
    askGeneticWordCount(settings_, dialogs_, this);
}

void frmMain::mnuMutations_Click()
{
    askMutationCount(settings_, dialogs_, this);
}
