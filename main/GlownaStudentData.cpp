// Saving and loading one student: the student dialog first, then the 48 document forms
// in the main window's order; the rows of the student's table follow that order.
#include "main/Glowna.h"

#include "forms/FormRegistry.h"
#include "forms/dialogs/StudentDialog.h"
#include "main/StudentOrder.h"
#include "main/Wait.h"
#include "platform/Controls.h"
#include "platform/DialogService.h"
#include "store/CertFile.h"
#include "store/Folders.h"

#include <QSignalBlocker>
#include <QTreeWidgetItem>

#include <algorithm>

namespace {

void ShowStreamError(const QString& sentence, const ErrorStream& es)
{
    DialogService::instance().message(sentence + QString::fromStdString(es.str()), "Błąd",
                                      MsgIcon::Error, MsgButtons::Ok);
}

// The display name a read of the list gives the saved table: its first surname and first
// first-name rows of the student dialog.
std::string SavedDisplayName(const std::vector<FieldRecord>& records)
{
    const auto field = [&](const char* name) {
        const auto found = std::find_if(records.begin(), records.end(), [&](const FieldRecord& r) {
            return r.id == "DANE UCZNIA" && r.comp_name == name;
        });
        return found == records.end() ? std::string() : found->value;
    };
    return field("Nazwisko_DATA_EDIT") + " " + field("Imie_DATA_EDIT");
}

}  // namespace

void TFGlowna::ShowSavedStudent(const std::string& table)
{
    QTreeWidgetItem* node = FindDocumentNode(table, QString());
    const auto entry = std::find_if(StudentList.begin(), StudentList.end(),
                                    [&](const StudentEntry& e) { return e.table_name == table; });
    if (!node || entry == StudentList.end()) {
        ReloadStudentsList();
        return;
    }
    entry->display_name = SavedDisplayName(RecordList);
    const QString name = QString::fromStdString(entry->display_name);
    if (node->text(0) == name)
        return;
    const std::vector<StudentEntry> sorted = SortedStudents(StudentList);
    const int place = int(std::find_if(sorted.begin(), sorted.end(),
                                       [&](const StudentEntry& e) { return e.table_name == table; }) -
                          sorted.begin());
    const QSignalBlocker quiet(TreeView);
    node->setText(0, name);
    if (TreeView->indexOfTopLevelItem(node) != place) {
        const bool expanded = node->isExpanded();
        TreeView->takeTopLevelItem(TreeView->indexOfTopLevelItem(node));
        TreeView->insertTopLevelItem(place, node);
        node->setExpanded(expanded);
    }
}

bool TFGlowna::SaveStudentData()
{
    if (FWait) {
        FWait->show();
        FWait->repaint();
    }
    const std::string working = DataTmpPath(ErrorStream);
    ClearRecordList(RecordList);
    FDaneUcznia->CollectFields(RecordList);
    FormRegistry::instance().CollectAll(RecordList);
    if (FWait)
        FWait->Begin(std::string(), int(RecordList.size()));

    const std::string table =
        "PESEL" + FDaneUcznia->fieldText("NumerPesel_DATA_EDIT").toStdString();
    // Drop, create and fill in one transaction: a failed save keeps the old table.
    const bool saved = bFunReplaceCertData(ErrorStream, working, table, RecordList, FWait);
    if (FWait)
        FWait->close();
    if (!saved) {
        ShowStreamError("Błąd zapisu danych.\n\n", ErrorStream);
        return false;
    }
    ShowSavedStudent(table);
    KeepStudentSelected(table);
    return true;
}

bool TFGlowna::LoadStudentData(const std::string& table)
{
    const std::string working = DataTmpPath(ErrorStream);
    ClearRecordList(RecordList);
    if (!bFunLoadCertData(ErrorStream, working, table, RecordList)) {
        ShowStreamError("Błąd podczas próby wczytania danych.\n\n", ErrorStream);
        return false;
    }
    // The document forms read the student dialog while they fill themselves.
    FDaneUcznia->FillFields(RecordList);
    FormRegistry::instance().FillAll(RecordList);
    return true;
}
