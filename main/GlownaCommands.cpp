// The display options and the smaller commands of the main window.
#include "main/Glowna.h"

#include <QCheckBox>
#include <QDialog>
#include <QFileInfo>
#include <QScrollBar>
#include <QTreeWidgetItem>

#include "forms/FormRegistry.h"
#include "main/CalibrationTransfer.h"
#include "main/Logi.h"
#include "main/MakerAddresses.h"
#include "main/OProgramie.h"
#include "main/WindowRegistry.h"
#include "platform/Controls.h"
#include "render/CalibrationWindow.h"
#include "platform/DialogService.h"
#include "platform/OsServices.h"
#include "store/Folders.h"
#include "store/Settings.h"

namespace {

constexpr const char* kCalibrationFilter = "Kalibracja(*.sqset)|*.sqset";

void ShowCalibrationCopyFailure(const ErrorStream& es)
{
    DialogService::instance().message(QString::fromStdString(es.str()), "Atrybuty",
                                      MsgIcon::Warning, MsgButtons::Ok);
}

}  // namespace

void TFGlowna::WriteOptionSetting(const char* key, const QCheckBox* box)
{
    bFunSqlSettingWriteValue(ErrorStream, key, box->isChecked() ? 1 : 0);
    TreeViewClick();
}

void TFGlowna::WykreskujPusteCheckBoxClick()
{
    WriteOptionSetting("strike_empty_fields", WykreskujPusteCheckBox);
}

void TFGlowna::PrintNoDotsCheckBoxClick()
{
    WriteOptionSetting("print_without_dots", PrintNoDotsCheckBox);
}

void TFGlowna::cbWordWrapClick()
{
    WriteOptionSetting("word_wrap", cbWordWrap);
}

void TFGlowna::FormMouseWheel(int wheelDelta)
{
    for (::ScrollBox* box : ScrollBox) {
        QScrollBar* bar = box->verticalScrollBar();
        bar->setValue(bar->value() - wheelDelta);
    }
}

void TFGlowna::Formatowaniewiadectwapodstawowe1Click()
{
    OpenCalibrationWindow(false);
}

void TFGlowna::Ustawieniaczcionki1Click()
{
    OpenCalibrationWindow(true);
}

void TFGlowna::OpenCalibrationWindow(bool advanced)
{
    auto* calibration =
        dynamic_cast<TFKalibracja*>(WindowRegistry::instance().window("TFKalibracja"));
    if (!calibration)
        return;
    const std::string table = SelectedStudentTable();
    const QString label = SelectedNodeText(0);
    FormattingActive = 1;
    calibration->AdvancedMode = advanced ? 1 : 0;
    calibration->move(5, calibration->y());
    calibration->setWindowTitle(advanced ? "Formatowanie zaawansowane" : "Formatowanie podstawowe");
    HeldStudentTable.clear();  // the window fills sample texts into the forms
    DialogService::instance().showModal(*calibration);
    FormattingActive = 0;
    // The window filled sample texts into forms: they must never be saved into a student.
    if (QTreeWidgetItem* node = FindDocumentNode(table, label))
        SelectAndLoad(node);
    else
        FormRegistry::instance().ClearAll();
}

void TFGlowna::Eksportujustawieniakalibracji1Click()
{
    const auto chosen = DialogService::instance().saveFileName(
        "Zapisz plik kalibracji", kCalibrationFilter, "vlm_kalibracja");
    if (!chosen)
        return;
    QString target = *chosen;
    if (QFileInfo(target).suffix().isEmpty())
        target += ".sqset";
    if (!ExportCalibrationFile(ErrorStream, target.toStdString()))
        ShowCalibrationCopyFailure(ErrorStream);
}

void TFGlowna::Importujustawieniakalibracji1Click()
{
    const auto chosen = DialogService::instance().openFileName("Wczytaj plik kalibracji",
                                                               kCalibrationFilter, QString());
    if (!chosen)
        return;
    if (!ImportCalibrationFile(ErrorStream, chosen->toStdString()))
        ShowCalibrationCopyFailure(ErrorStream);
}

void TFGlowna::Instrukcjaobsugi1Click()
{
    OsServices::instance().openDocument(
        QString::fromStdString(JoinPath(ProgramFolderPath(ErrorStream), "Dovivureze.html")));
}

void TFGlowna::Oprogramie1Click()
{
    DialogService::instance().showModal(*FOProgramie);
}

void TFGlowna::Logiprogramu1Click()
{
    DialogService::instance().showModal(*FLogi);
}

void TFGlowna::KontaktButtonClick()
{
    OsServices::instance().openDocument(ContactPageUrl());
}

void TFGlowna::StronaInternetowa1Click()
{
    OsServices::instance().openDocument(MakerSiteUrl());
}
