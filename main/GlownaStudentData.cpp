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

// The file held zero bytes in some of the student's texts; they were left out on loading,
// so the next save writes the texts without them.
void ReportZeroBytes(const std::string& table, const std::vector<std::string>& fields)
{
    QString text = QString::fromStdString("Dane ucznia zapisane w tabeli " + table +
                                          " zawierały niedozwolony znak (bajt zerowy) w polach:\n");
    for (const std::string& field : fields)
        text += "\n" + QString::fromStdString(field);
    text += "\n\nZnak ten został pominięty, pozostała treść pól została wczytana.";
    DialogService::instance().message(text, "Uwaga", MsgIcon::Warning, MsgButtons::Ok);
}

// Shows the wait window for the lifetime of the object: it closes on every way out of the
// save, an exception included, before any message is shown.
class WaitWindowShown {
public:
    WaitWindowShown()
    {
        if (FWait)
            FWait->show();
    }
    ~WaitWindowShown() { close(); }
    WaitWindowShown(const WaitWindowShown&) = delete;
    WaitWindowShown& operator=(const WaitWindowShown&) = delete;
    void close()
    {
        if (FWait)
            FWait->close();
    }
};

// The display name a read of the list gives the saved table: its first surname and first
// first-name rows of the student dialog.
std::string SavedDisplayName(const std::vector<FieldRecord>& records)
{
    const auto field = [&](const char* name) {
        const auto found = std::find_if(records.begin(), records.end(), [&](const FieldRecord& r) {
            return r.id == TFDaneUcznia::kFormKey && r.comp_name == name;
        });
        return found == records.end() ? std::string() : found->value;
    };
    return field("Nazwisko_DATA_EDIT") + " " + field("Imie_DATA_EDIT");
}

}  // namespace

QTreeWidgetItem* TFGlowna::ShowSavedStudent(const std::string& table)
{
    QTreeWidgetItem* node = FindDocumentNode(table, QString());
    const auto entry = std::find_if(StudentList.begin(), StudentList.end(),
                                    [&](const StudentEntry& e) { return e.table_name == table; });
    if (!node || entry == StudentList.end()) {
        ReloadStudentsList();
        return FindDocumentNode(table, QString());
    }
    entry->display_name = SavedDisplayName(RecordList);
    const QString name = StudentTreeLabel(entry->display_name);
    if (node->text(0) == name)
        return node;
    const std::vector<StudentEntry> sorted = SortedStudents(StudentList);
    const int place =
        int(std::find_if(sorted.begin(), sorted.end(),
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
    return node;
}

bool TFGlowna::SaveStudentData()
{
    WaitWindowShown wait;
    const std::string working = DataTmpPath(ErrorStream);
    ClearRecordList(RecordList);
    FDaneUcznia->CollectFields(RecordList);
    FormRegistry::instance().CollectAll(RecordList);
    if (FWait)
        FWait->Begin(std::string(), int(RecordList.size()));

    const std::string table = StudentTableOfDialog();
    // Drop, create and fill in one transaction: a failed save keeps the old table.
    const bool saved = ReplaceStudentTable(ErrorStream, working, table, RecordList, FWait);
    wait.close();
    if (!saved) {
        ShowStreamError("Błąd zapisu danych.\n\n", ErrorStream);
        return false;
    }
    ShowSelected(ShowSavedStudent(table));
    HeldStudentTable = table;
    return true;
}

bool TFGlowna::HoldSelectedStudent()
{
    const std::string table = SelectedStudentTable();
    if (!table.empty() && table == HeldStudentTable)
        return true;
    if (LoadStudentData(table))
        return true;
    // Opened now, a dialog would show the student held before and save his data under
    // the selected one's name, or drop the selected one's table.
    DialogService::instance().message("Dane ucznia:\n" + SelectedNodeText(1) +
                                          "\nnie zostały wczytane, więc nie można ich teraz "
                                          "edytować ani zapisać.",
                                      "Brak danych", MsgIcon::Warning, MsgButtons::Ok);
    return false;
}

bool TFGlowna::LoadStudentData(const std::string& table)
{
    const std::string working = DataTmpPath(ErrorStream);
    ClearRecordList(RecordList);
    std::vector<std::string> withZeroBytes;
    if (!bFunLoadCertData(ErrorStream, working, table, RecordList, &withZeroBytes)) {
        ShowStreamError("Błąd podczas próby wczytania danych.\n\n", ErrorStream);
        return false;
    }
    // The document forms read the student dialog while they fill themselves.
    FDaneUcznia->FillFields(RecordList);
    FormRegistry::instance().FillAll(RecordList);
    HeldStudentTable = table;
    if (!withZeroBytes.empty())
        ReportZeroBytes(table, withZeroBytes);
    return true;
}
