#include "main/MainDialogHost.h"

#include "main/Glowna.h"

MainDialogHost::MainDialogHost(TFGlowna& window)
    : window_(window)
{
    previous_ = DialogHost::install(this);
}

MainDialogHost::~MainDialogHost()
{
    if (DialogHost::current() == this)
        DialogHost::install(previous_);
}

ErrorStream& MainDialogHost::errorStream()
{
    return window_.ErrorStream;
}

bool MainDialogHost::SaveStudentData()
{
    return window_.SaveStudentData();
}

void MainDialogHost::ReloadStudentsList()
{
    window_.ReloadStudentsList();
}
