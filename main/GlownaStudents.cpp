// Adding, editing and deleting a student through the student dialog.
#include "main/Glowna.h"

#include <QDialog>

#include "forms/FormRegistry.h"
#include "forms/dialogs/StudentDialog.h"
#include "platform/DialogService.h"
#include "store/CertFile.h"
#include "store/Folders.h"

namespace {

bool RefuseWithoutStudent(const QString& name)
{
    if (!name.isEmpty())
        return false;
    DialogService::instance().message("Nie wybrano ucznia z listy", "Brak wyboru", MsgIcon::Warning,
                                      MsgButtons::Ok);
    return true;
}

}  // namespace

void TFGlowna::DodajUczniaToolButtonClick()
{
    Modified = 1;
    FDaneUcznia->mode = TFDaneUcznia::NewStudent;
    FDaneUcznia->ClearFields();
    for (const auto& form : FormRegistry::instance().forms()) {
        form->ClearFields();
        // The promotion word's ending of a new student's certificate ("ę").
        form->ApplyPreset("newStudent");
    }
    HeldStudentTable.clear();
    const bool saved = DialogService::instance().showModal(*FDaneUcznia) == QDialog::Accepted;
    ReloadStudentsList();
    if (saved)
        KeepStudentSelected(StudentTableOfDialog());
}

void TFGlowna::EdytujDaneUczniaToolButtonClick()
{
    Modified = 1;
    if (RefuseWithoutStudent(SelectedNodeText(1)))
        return;
    // The dialog shows and rewrites the student the forms hold, and drops his table when
    // his PESEL changes: that must be the student chosen.
    if (!HoldSelectedStudent())
        return;
    FDaneUcznia->editedTable = HeldStudentTable;
    FDaneUcznia->mode = TFDaneUcznia::EditStudent;
    if (DialogService::instance().showModal(*FDaneUcznia) == QDialog::Accepted)
        KeepStudentSelected(FDaneUcznia->editedTable);
}

void TFGlowna::UsunUczniaToolButtonClick()
{
    Modified = 1;
    const QString name = SelectedNodeText(1);
    if (RefuseWithoutStudent(name))
        return;
    if (DialogService::instance().message("Czy na pewno chcesz skasować dane ucznia: \n" + name,
                                          "Usuń", MsgIcon::Warning, MsgButtons::YesNo,
                                          Answer::No) == Answer::Yes &&
        !bFunDeleteTable(ErrorStream, DataTmpPath(ErrorStream), SelectedStudentTable())) {
        DialogService::instance().message("Błąd podczas próby usunięcia danych ucznia.\n\n" +
                                              QString::fromStdString(ErrorStream.str()),
                                          "Błąd", MsgIcon::Error, MsgButtons::Ok);
    }
    ReloadStudentsList();
}
