#pragma once
// What the main window's print command needs of the print window: the window implements it
// beside its own base, and the main window reaches it through the window registry.

class QDialog;

// "TFDrukuj": opened modally by the print command after the pages were composed.
class PrintWindow {
public:
    virtual ~PrintWindow() = default;
    // The document's page count and its own paper: "A4" (defaultA4 set) or "A3", "pionowy"
    // (defaultPortrait set) or "poziomy"; the window preselects them when shown.
    virtual void setPrintJob(int pages, bool defaultA4, bool defaultPortrait) = 0;
    virtual QDialog& dialog() = 0;
};
