#include "shell/frmMain.h"

void frmMain::mnuVarnock_Click() {}
void frmMain::mnuOpen_Click() {}
void frmMain::mnuSave_Click() {}
void frmMain::mnuDirectSave_Click() {}
void frmMain::mnuCopy_Click() {}
void frmMain::cmdSelAll_Click() {}
void frmMain::cmdSelNone_Click() {}
void frmMain::txtNames_GotFocus() {}
void frmMain::mnuClearList_Click() {}
void frmMain::mnuGenetic_Click() {}
void frmMain::mnuGeneticWords_Click() {}
void frmMain::mnuMutations_Click() {}
void frmMain::mnuAbout_Click() {}
