#pragma once
// The main window as the calibration window sees it: its render state, its "Wyłącz
// kropki" option and the document forms of the form registry.
#include <map>
#include <memory>
#include <string>

#include "render/CalibrationHost.h"

class DocumentFormSource;
class TFGlowna;

class MainCalibrationHost : public CalibrationHost {
public:
    explicit MainCalibrationHost(TFGlowna& window);
    ~MainCalibrationHost() override;

    RenderContext renderContext() override;
    void setPrintNoDots(bool checked) override;
    const RenderSource* documentForm(std::string_view formClass) override;
    void fillSampleData(std::string_view formClass) override;
    void ReloadStudentsList() override;

private:
    TFGlowna& window_;
    std::map<std::string, std::unique_ptr<DocumentFormSource>, std::less<>> sources_;
};
