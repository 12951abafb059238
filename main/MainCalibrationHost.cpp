#include "main/MainCalibrationHost.h"

#include <QCheckBox>

#include "forms/FormRegistry.h"
#include "main/Glowna.h"
#include "main/DocumentFormSource.h"

namespace {

DocumentForm* FormOfClass(std::string_view formClass)
{
    return FormRegistry::instance().form(
        QString::fromUtf8(formClass.data(), qsizetype(formClass.size())));
}

}  // namespace

MainCalibrationHost::MainCalibrationHost(TFGlowna& window)
    : window_(window)
{
}

MainCalibrationHost::~MainCalibrationHost() = default;

RenderContext MainCalibrationHost::renderContext()
{
    return window_.renderContext();
}

void MainCalibrationHost::setPrintNoDots(bool checked)
{
    window_.PrintNoDotsCheckBox->setChecked(checked);
}

const RenderSource* MainCalibrationHost::documentForm(std::string_view formClass)
{
    if (auto found = sources_.find(formClass); found != sources_.end())
        return found->second.get();
    DocumentForm* form = FormOfClass(formClass);
    if (!form)
        return nullptr;
    auto& source = sources_[std::string(formClass)];
    source = std::make_unique<DocumentFormSource>(*form);
    return source.get();
}

void MainCalibrationHost::fillSampleData(std::string_view formClass)
{
    if (DocumentForm* form = FormOfClass(formClass))
        form->FillSampleData();
}

void MainCalibrationHost::ReloadStudentsList()
{
    window_.ReloadStudentsList();
}
