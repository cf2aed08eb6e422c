#include "shell/frmAbout.h"
#include "shell/frmMain.h"

void frmMain::mnuAbout_Click()
{
    frmAbout about(settings_, dialogs_, this);
    about.exec();
}
