#pragma once
// What the calibration window needs of the main window and the document forms.

#include "render/RenderPages.h"

#include <string_view>

class CalibrationHost {
public:
    virtual ~CalibrationHost() = default;
    // The main window's render state; the window adds its selected row for the highlight.
    virtual RenderContext renderContext() = 0;
    // Sets the option "Wyłącz kropki"; a change runs the option's own handler.
    virtual void setPrintNoDots(bool checked) = 0;
    // The document form of that class, or nullptr.
    virtual const RenderSource* documentForm(std::string_view formClass) = 0;
    // Puts the form's sample texts into its fields (nothing for a form without any).
    virtual void fillSampleData(std::string_view formClass) = 0;
    virtual void ReloadStudentsList() = 0;
};
