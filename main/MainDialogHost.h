#pragma once
// The main window as the student and school-data dialogs see it.
#include "forms/dialogs/DialogHost.h"

class TFGlowna;

class MainDialogHost : public DialogHost {
public:
    // Installs itself as the dialogs' host while it lives.
    explicit MainDialogHost(TFGlowna& window);
    ~MainDialogHost() override;

    ErrorStream& errorStream() override;
    bool SaveStudentData() override;
    void ReloadStudentsList() override;

private:
    TFGlowna& window_;
    DialogHost* previous_ = nullptr;
};
