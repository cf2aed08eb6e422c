#include "shell/frmMain.h"

void frmMain::mnuGenetic_Click() {}
void frmMain::mnuGeneticWords_Click() {}
void frmMain::mnuMutations_Click() {}
void frmMain::mnuAbout_Click() {}
