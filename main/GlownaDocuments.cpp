// A document node turned into work on its form: the click loads the student and
// previews the document, the edit command shows the form, the print command renders it
// for the print window.
#include "main/Glowna.h"

#include <QDialog>
#include <QTreeWidgetItem>

#include "forms/FormRegistry.h"
#include "forms/dialogs/SchoolDataDialog.h"
#include "main/DocumentFormSource.h"
#include "main/WindowRegistry.h"
#include "platform/Controls.h"
#include "platform/DialogService.h"
#include "render/Catalogue.h"
#include "render/CalibrationWindow.h"
#include "render/PrintWindow.h"
#include "store/Settings.h"

namespace {

const DocumentLabel* RowOf(const QString& label)
{
    return FindDocumentLabel(label.toStdString());
}

DocumentForm* FormOf(const DocumentLabel& row)
{
    return FormRegistry::instance().form(
        QString::fromUtf8(row.formClass.data(), qsizetype(row.formClass.size())));
}

}  // namespace

RenderContext TFGlowna::renderContext()
{
    const std::string* selectedRow = nullptr;
    if (FormattingActive)
        if (auto* calibration =
                dynamic_cast<TFKalibracja*>(WindowRegistry::instance().window("TFKalibracja")))
            selectedRow = &calibration->selectedRow();
    return RenderContext{PageMetafiles, CalibrationList,  PrintMode,  PrintJob, ErrorStream,
                         this,          displayOptions(), selectedRow};
}

bool TFGlowna::RenderDocument(DocumentForm& form, RenderMode mode, int type, int pages,
                              bool defaultA4, bool defaultPortrait)
{
    RenderContext context = renderContext();
    const DocumentFormSource source(form);
    return RenderPages(context, source, mode, type, pages, defaultA4, defaultPortrait);
}

void TFGlowna::TreeViewClick()
{
    if (SelectedNodeText(1).isEmpty())
        return;
    ClearRecordList(RecordList);
    if (!LoadStudentData(SelectedStudentTable()))
        return;
    if (const DocumentLabel* row = RowOf(SelectedNodeText(0)))
        if (DocumentForm* form = FormOf(*row))
            RenderDocument(*form, RenderPreview, row->type, row->pages, row->defaultA4Portrait,
                           row->defaultA4Portrait);
    UpdateMenuState();
}

void TFGlowna::EdytujSwiadectwoToolButtonClick()
{
    DialogService& dialogs = DialogService::instance();
    int reminder = 0;
    if (!bFunSqlGetSettingsValue(ErrorStream, "create_school_data_template", reminder)) {
        dialogs.message("Błąd uzyskania zmiennej z pliku ustawień", "Błąd", MsgIcon::Error,
                        MsgButtons::Ok);
        return;
    }
    if (reminder != 0 &&
        dialogs.message("Szablon danych szkoły nie został jeszcze utworzony.\nCzy chcesz utworzyć "
                        "szablon teraz ?",
                        "Szablon", MsgIcon::Question, MsgButtons::YesNo) == Answer::Yes)
        Szablondanychszkoy1Click();
    Modified = 1;
    SelectedStudent = SelectedNodeText(1);
    SelectedLabel = SelectedNodeText(0);
    const std::string table = SelectedStudentTable();
    const DocumentLabel* row = RowOf(SelectedLabel);
    if (SelectedLabel.isEmpty() || !row) {
        dialogs.message("Nie wybrano świadectwa z listy", "Brak wyboru", MsgIcon::Warning,
                        MsgButtons::Ok);
        return;
    }
    // "OK" saves the whole student the forms hold: that must be the one chosen.
    if (!HoldSelectedStudent())
        return;
    if (DocumentForm* form = FormOf(*row))
        form->ShowModal();
    // "OK" has rebuilt the tree: find the document again and show what is stored.
    SelectAndLoad(FindDocumentNode(table, SelectedLabel));
}

void TFGlowna::SelectAndLoad(QTreeWidgetItem* node)
{
    if (!node)
        return;
    ShowSelected(node);
    TreeViewClick();
}

void TFGlowna::DrukujToolButtonClick()
{
    const DocumentLabel* row = RowOf(SelectedNodeText(0));
    if (!row) {
        DialogService::instance().message("Zaznacz świadectwo które chciesz wydrukować",
                                          "Brak wyboru", MsgIcon::Warning, MsgButtons::Ok);
        return;
    }
    DocumentForm* form = FormOf(*row);
    auto* printWindow = dynamic_cast<PrintWindow*>(WindowRegistry::instance().window("TFDrukuj"));
    // No print window over pages that were not composed.
    if (form && printWindow &&
        RenderDocument(*form, RenderPrint, row->type, row->pages, row->defaultA4Portrait,
                       row->defaultA4Portrait)) {
        printWindow->setPrintJob(PrintJob.pageCount, PrintJob.defaultA4, PrintJob.defaultPortrait);
        DialogService::instance().showModal(printWindow->dialog());
    }
    PrintMode = 0;
}

void TFGlowna::Szablondanychszkoy1Click()
{
    if (FDaneSzkoly)
        DialogService::instance().showModal(*FDaneSzkoly);
}
