#pragma once
// What the main window needs of the windows that other areas build: the area's window
// class implements the interface beside its own base, and the main window reaches it
// through the window registry with dynamic_cast.

class QDialog;

// "TFDrukuj": opened modally by the print command after the pages were composed.
class PrintWindow {
public:
    virtual ~PrintWindow() = default;
    // Pages 1 to 4 of the main window's page images, and whether the paper size and the
    // orientation may be chosen when the window is shown.
    virtual void setPrintJob(int pages, bool allowPageSizeChoice, bool allowOrientationChoice) = 0;
    virtual QDialog& dialog() = 0;
};
